// What the serial console and debug reporting tests share: the board of the emulator, the
// console settings restored after each test, and a reader that walks the port-access log.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "FixedSettings.h"
#include "SerialWait.h"
#include "trap/HostHardware.h"

// Restores every console setting that a test may vary.
class ConsoleSettings {
 public:
  ConsoleSettings()
      : Base(PcdUartBase),
        IsMmio(PcdUartIsMmio),
        LineControl(PcdUartLineControl),
        FifoControl(PcdUartFifoControl),
        FlowControl(PcdUartFlowControl),
        CableDetect(PcdUartCableDetect),
        WaitPolls(mSerialWaitPolls) {}
  ~ConsoleSettings() {
    PcdUartBase = Base;
    PcdUartIsMmio = IsMmio;
    PcdUartLineControl = LineControl;
    PcdUartFifoControl = FifoControl;
    PcdUartFlowControl = FlowControl;
    PcdUartCableDetect = CableDetect;
    mSerialWaitPolls = WaitPolls;
  }
  ConsoleSettings(const ConsoleSettings &) = delete;
  ConsoleSettings &operator=(const ConsoleSettings &) = delete;

 private:
  UINT64 Base;
  BOOLEAN IsMmio;
  UINT8 LineControl;
  UINT8 FifoControl;
  BOOLEAN FlowControl;
  BOOLEAN CableDetect;
  UINT32 WaitPolls;
};

inline std::string DescribeAccess(const vorq::emu::PortAccess &Access) {
  char Text[64];
  std::snprintf(Text, sizeof(Text), "%s%u 0x%X = 0x%X", Access.is_write ? "out" : "in", Access.width * 8u,
                Access.port, Access.value);
  return Text;
}

// Walks a port-access log in order: each Read or Write expects the next access to be that one.
// A read answers what the device answered, so that a test can state what was written from it.
class PortTrace {
 public:
  explicit PortTrace(std::vector<vorq::emu::PortAccess> Entries) : Entries(std::move(Entries)) {}

  UINT32 Read(UINT16 Port, unsigned Width = 1) {
    const vorq::emu::PortAccess *Access = Take(Port, Width, false);
    return Access != nullptr ? Access->value : 0;
  }
  VOID Write(UINT16 Port, UINT32 Value, unsigned Width = 1) {
    const vorq::emu::PortAccess *Access = Take(Port, Width, true);
    if (Access != nullptr) {
      EXPECT_EQ(Access->value, Value) << "access " << Next - 1 << ": " << DescribeAccess(*Access);
    }
  }
  VOID ExpectEnd() {
    EXPECT_EQ(Next, Entries.size()) << "more accesses than expected, the next: "
                                    << (Next < Entries.size() ? DescribeAccess(Entries[Next]) : "");
  }
  UINTN Position() const { return Next; }

 private:
  const vorq::emu::PortAccess *Take(UINT16 Port, unsigned Width, bool IsWrite) {
    if (Next >= Entries.size()) {
      ADD_FAILURE() << "the log ends before " << (IsWrite ? "out" : "in") << Width * 8 << " 0x" << std::hex << Port;
      return nullptr;
    }
    const vorq::emu::PortAccess &Access = Entries[Next++];
    EXPECT_TRUE(Access.port == Port && Access.width == Width && Access.is_write == IsWrite)
        << "access " << Next - 1 << ": expected " << (IsWrite ? "out" : "in") << Width * 8 << " 0x" << std::hex
        << Port << ", got " << DescribeAccess(Access);
    return &Access;
  }

  std::vector<vorq::emu::PortAccess> Entries;
  UINTN Next = 0;
};

// The accesses of the UART's registers only.
inline std::vector<vorq::emu::PortAccess> UartAccesses(const std::vector<vorq::emu::PortAccess> &Entries) {
  std::vector<vorq::emu::PortAccess> Result;
  for (const vorq::emu::PortAccess &Access : Entries) {
    if (Access.port >= 0x3F8 && Access.port <= 0x3FF) {
      Result.push_back(Access);
    }
  }
  return Result;
}
