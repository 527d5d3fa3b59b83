// The platform's serial console: transmit-only, polled, 16550-compatible UART at
// PcdUartBase, brought up once by SerialConsoleInit before the first write.
#pragma once
#include "Base.h"
#include "Uefi/Status.h"

// Makes the UART reachable (LPC decode, Super I/O) and programs it at the baud rate that
// CMOS selects, unless it already runs as wanted. Always EFI_SUCCESS on this platform.
VORQ_EXTERN_C EFI_STATUS SerialConsoleInit(VOID);

// Sends NumberOfBytes bytes as they are. Returns NumberOfBytes when all were sent, else 0.
// NumberOfBytes 0 waits until the transmitter is empty (a flush) and returns 0; a NULL Buffer
// returns 0 and touches nothing.
VORQ_EXTERN_C UINTN SerialConsoleWrite(const UINT8 *Buffer, UINTN NumberOfBytes);

// The pieces of the console.

// One UART register by offset from PcdUartBase: a memory-mapped byte with PcdUartIsMmio,
// else the I/O port at the low 16 bits of PcdUartBase plus Offset.
VORQ_EXTERN_C UINT8 SerialRegisterRead(UINTN Offset);
VORQ_EXTERN_C VOID SerialRegisterWrite(UINTN Offset, UINT8 Value);

// TRUE when the modem status allows a byte to be sent now (always without flow control).
VORQ_EXTERN_C BOOLEAN SerialConsoleWritable(VOID);

// The board's preparation: LPC decode ranges, then ConfigureSuperIo. Always EFI_SUCCESS.
VORQ_EXTERN_C EFI_STATUS SerialPlatformInit(VOID);

// Sets up Super I/O device 0x11, and serial devices 3 (0x3F8) and 2 (0x2F8) unless one of
// them is already active.
VORQ_EXTERN_C VOID ConfigureSuperIo(VOID);
