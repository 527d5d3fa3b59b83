// The TSC frequency: taken from the UEFI configuration table when another module published
// it, else measured against the ACPI power-management timer and published there.
#pragma once
#include "Guid/TscFrequencyTable.h"
#include "Uefi.h"

// The module's copy of the frequency in ticks per second; 0 until the constructor has run,
// and 0 when it could not be measured.
VORQ_EXTERN_C UINT64 mTscTicksPerSecond;

VORQ_EXTERN_C EFI_STATUS EFIAPI InitTscFrequency(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);

// TSC ticks per second, from a wait of 3580 ticks of the ACPI timer taken as one millisecond;
// 0 when the timer does not count.
VORQ_EXTERN_C UINT64 MeasureTscFrequency(VOID);
