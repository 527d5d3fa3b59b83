#include "AcpiTimerRegisters.h"
#include "FixedSettings.h"
#include "Library/BaseLib.h"
#include "Library/DebugLib.h"
#include "Library/IoLib.h"
#include "Library/TscTimerLib.h"
#include "Library/UefiBootServicesTableLib.h"
#include "Library/UefiLib.h"

ASSERT_SOURCE("PerformancePkg/Library/TscTimerLib/DxeTscTimerLib");

VORQ_EXTERN_C UINT64 mTscTicksPerSecond = 0;

static constexpr EFI_GUID kTscFrequencyTableGuid = TSC_FREQUENCY_TABLE_GUID;

// A timer that does not count would keep the wait going for ever. The wait gives up once the
// TSC has advanced by 2^32 ticks: more than 0.4 s even on a 10 GHz counter,
// and far beyond the millisecond that a counting timer takes on any processor.
static constexpr UINT64 kWaitLimitInTscTicks = 1ULL << 32;

VORQ_EXTERN_C UINT64 MeasureTscFrequency(VOID) {
  // Program the ACPI I/O base only when decoding is off; otherwise the base that is there is
  // the one in use.
  if ((PciCfgRead8(LPC_ACPI_CONTROL_REGISTER) & LPC_ACPI_DECODE_ENABLE) == 0) {
    PciCfgWrite16(LPC_ACPI_BASE_REGISTER, PcdAcpiPmIoBase);
    PciCfgOr8(LPC_ACPI_CONTROL_REGISTER, LPC_ACPI_DECODE_ENABLE);
  }
  const UINT32 TimerPort = (UINT32)(PciCfgRead16(LPC_ACPI_BASE_REGISTER) & LPC_ACPI_BASE_MASK) + ACPI_PM_TIMER_OFFSET;

  // With E ticks since the first reading, Target - Now is 3579 - E: bit 23 is clear up to
  // E = 3579 and set from E = 3580 on, for 2^23 ticks, across a 24-bit or a 32-bit wrap.
  const UINT32 Target = PortRead32(TimerPort) + (ACPI_PM_TIMER_TICKS_PER_MILLISECOND - 1);
  const UINT64 Start = ReadTimeStampCounter();
  UINT64 End;
  for (;;) {
    const UINT32 Now = PortRead32(TimerPort);
    End = ReadTimeStampCounter();
    if (((Target - Now) & 0x800000) != 0) {
      break;
    }
    if (End - Start > kWaitLimitInTscTicks) {
      return 0;
    }
    SpinPause();
  }
  return MulU64x32(End - Start, 1000);
}

VORQ_EXTERN_C EFI_STATUS EFIAPI InitTscFrequency(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  (VOID) ImageHandle;
  (VOID) SystemTable;

  VOID *Table = NULL;
  if (FindConfigurationTable(&kTscFrequencyTableGuid, &Table) == EFI_SUCCESS) {
    mTscTicksPerSecond = *static_cast<UINT64 *>(Table);
    return EFI_SUCCESS;
  }

  UINT64 *Frequency = NULL;
  const EFI_STATUS Status =
      gBS->AllocatePool(EfiBootServicesData, sizeof(UINT64), reinterpret_cast<VOID **>(&Frequency));
  ASSERT_EFI_ERROR(76, Status);

  mTscTicksPerSecond = MeasureTscFrequency();
  // Without a buffer there is nothing to publish; a frequency that could not be measured is
  // not published either, so that no module divides by it.
  if (EFI_ERROR(Status) || Frequency == NULL) {
    return EFI_SUCCESS;
  }
  if (mTscTicksPerSecond == 0) {
    gBS->FreePool(Frequency);
    return EFI_SUCCESS;
  }
  *Frequency = mTscTicksPerSecond;
  gBS->InstallConfigurationTable(&kTscFrequencyTableGuid, Frequency);
  return EFI_SUCCESS;
}
