// PCI Express configuration access through the memory-mapped window at PcdPcieWindowBase,
// and the PCI configuration operations over it. An address encodes
// bus << 20 | device << 15 | function << 12 | register and must fit in 28 bits.
#pragma once
#include "Base.h"

#define PCI_EXPRESS_ADDRESS(Bus, Device, Function, Register) \
  ((((UINTN)(Bus)) << 20) | (((UINTN)(Device)) << 15) | (((UINTN)(Function)) << 12) | ((UINTN)(Register)))

VORQ_EXTERN_C UINT8 PcieRead8(UINTN Address);
VORQ_EXTERN_C UINT8 PcieOr8(UINTN Address, UINT8 OrData);
VORQ_EXTERN_C UINT16 PcieRead16(UINTN Address);
VORQ_EXTERN_C UINT16 PcieWrite16(UINTN Address, UINT16 Value);

VORQ_EXTERN_C UINT8 PciCfgRead8(UINTN Address);
VORQ_EXTERN_C UINT8 PciCfgOr8(UINTN Address, UINT8 OrData);
VORQ_EXTERN_C UINT16 PciCfgRead16(UINTN Address);
VORQ_EXTERN_C UINT16 PciCfgWrite16(UINTN Address, UINT16 Value);
