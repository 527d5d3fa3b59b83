// The module's fixed settings, all in one place. The image has no run-time configuration:
// each setting is a compile-time constant of the build flavour (shipped or debug). The host
// build used by the unit tests turns them into variables so that a test can vary them.
//
// PcdDebugMessageLevel is the exception: it lives in image data of its own section (.dbglvl)
// so that a tool can patch it in a built image, and it is read only through
// GetDebugMessageLevel.
#pragma once
#include "Base.h"

#if defined(VORQ_HOST_BUILD)
#define VORQ_SETTING inline
#else
#define VORQ_SETTING inline constexpr
#endif

#if defined(VORQ_FLAVOUR_DEBUG)
#define VORQ_DEBUG_CONTROL_MASK 0x03
#define VORQ_DEBUG_MESSAGE_LEVEL 0x80000000U
#else
#define VORQ_DEBUG_CONTROL_MASK 0x00
#define VORQ_DEBUG_MESSAGE_LEVEL 0x00000000U
#endif

// Driver frame.
VORQ_SETTING UINT32 MinimumSystemTableRevision = 0;  // 0: no revision test
VORQ_SETTING UINT8 ModuleUnloadCount = 0;            // 0: no unload handler

// TSC calibration: the ACPI power-management I/O base programmed when decoding is off.
VORQ_SETTING UINT16 PcdAcpiPmIoBase = 0x400;

// Diagnostics. Bit 0x01 enables assertions, 0x02 debug messages, 0x10 a breakpoint after a
// failed assertion, 0x20 an endless halt after it.
VORQ_SETTING UINT8 PcdDebugControlMask = VORQ_DEBUG_CONTROL_MASK;

// Serial console.
VORQ_SETTING UINT64 PcdUartBase = 0x3F8;
VORQ_SETTING BOOLEAN PcdUartIsMmio = FALSE;
VORQ_SETTING UINT8 PcdUartLineControl = 0x03;  // 8 data bits, no parity, one stop bit
VORQ_SETTING UINT8 PcdUartFifoControl = 0x07;  // FIFOs on, both cleared
VORQ_SETTING BOOLEAN PcdUartFlowControl = FALSE;
VORQ_SETTING BOOLEAN PcdUartCableDetect = FALSE;

// Print engine: 0 means the string functions put no bound on a length.
VORQ_SETTING UINT32 PcdMaximumAsciiStringLength = 0;
VORQ_SETTING UINT32 PcdMaximumUnicodeStringLength = 0;

// Base runtime: the physical base of the PCI Express configuration window.
VORQ_SETTING UINT64 PcdPcieWindowBase = 0x80000000;

// The patchable message level (defined in the debug library).
#if defined(VORQ_HOST_BUILD)
VORQ_EXTERN_C UINT32 PcdDebugMessageLevel;
#else
VORQ_EXTERN_C __attribute__((section(".dbglvl"))) const volatile UINT32 PcdDebugMessageLevel;
#endif
