// Processor I/O ports and fenced memory-mapped access. Each operation is exactly one access of
// the width in its name; only the low 16 bits of a port number select the port.
#pragma once
#include "Base.h"

VORQ_EXTERN_C UINT8 PortRead8(UINTN Port);
VORQ_EXTERN_C UINT8 PortWrite8(UINTN Port, UINT8 Value);
VORQ_EXTERN_C UINT32 PortRead32(UINTN Port);
VORQ_EXTERN_C UINT32 PortWrite32(UINTN Port, UINT32 Value);

// An empty routine that is never inlined: no access moves, merges or disappears across it.
VORQ_EXTERN_C VOID CompilerFence(VOID);

VORQ_EXTERN_C UINT8 MmioLoad8(UINTN Address);
VORQ_EXTERN_C UINT8 MmioStore8(UINTN Address, UINT8 Value);
VORQ_EXTERN_C UINT16 MmioLoad16(UINTN Address);
VORQ_EXTERN_C UINT16 MmioStore16(UINTN Address, UINT16 Value);
VORQ_EXTERN_C UINT8 MmioOr8(UINTN Address, UINT8 OrData);
