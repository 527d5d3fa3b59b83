// The PCI configuration operations: the same encoding and results as the PCI Express ones,
// to which each forwards its address unchanged. They test nothing of their own.
#include "Library/PciExpressLib.h"

VORQ_EXTERN_C UINT8 PciCfgRead8(UINTN Address) { return PcieRead8(Address); }

VORQ_EXTERN_C UINT8 PciCfgOr8(UINTN Address, UINT8 OrData) { return PcieOr8(Address, OrData); }

VORQ_EXTERN_C UINT16 PciCfgRead16(UINTN Address) { return PcieRead16(Address); }

VORQ_EXTERN_C UINT16 PciCfgWrite16(UINTN Address, UINT16 Value) { return PcieWrite16(Address, Value); }
