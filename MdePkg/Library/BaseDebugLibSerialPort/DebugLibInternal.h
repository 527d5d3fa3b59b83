// Shared by the reporting functions of the debug library.
#pragma once
#include "Base.h"

// One report line: 255 characters and the NUL, on the stack of the reporting call.
constexpr UINTN DEBUG_LINE_BUFFER_SIZE = 256;

// PcdDebugControlMask: what the processor does after a failed assertion has been reported.
constexpr UINT8 DEBUG_CONTROL_BREAKPOINT = 0x10;  // one software breakpoint
constexpr UINT8 DEBUG_CONTROL_HALT = 0x20;        // an endless loop; ignored with the breakpoint
