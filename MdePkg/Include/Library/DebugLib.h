// The module's diagnostics contract: the two assertion forms used at every assertion site,
// and the reporting functions behind them.
//
// A source unit names itself once, by its package path without extension, with
// ASSERT_SOURCE ("MdePkg/Library/BaseLib/String"); its sites then give the line number that
// the unit's reports have always carried and the condition written exactly as it is reported:
//
//   ASSERT (1292, AsciiStrSize (FirstString));
//   ASSERT_EFI_ERROR (76, Status);
//
// Both forms do nothing, and evaluate nothing, unless AssertEnabled () is TRUE, which it
// never is with the shipped settings. A report never changes the caller's result: after it
// the caller carries on as if the condition had held.
#pragma once
#include "Base.h"
#include "Uefi/Status.h"

// The one message level the module emits.
#define DebugLevelError 0x80000000ULL

VORQ_EXTERN_C BOOLEAN AssertEnabled(VOID);
VORQ_EXTERN_C BOOLEAN DebugMessageEnabled(VOID);
VORQ_EXTERN_C UINT32 GetDebugMessageLevel(VOID);
VORQ_EXTERN_C VOID EmitDebugMessage(UINTN ErrorLevel, const CHAR8 *Format, ...);
VORQ_EXTERN_C VOID ReportAssertion(const CHAR8 *FileName, UINTN LineNumber, const CHAR8 *Description);
VORQ_EXTERN_C EFI_STATUS InitDebugLibrary(VOID);

#define ASSERT_SOURCE(Path) [[maybe_unused]] static constexpr const CHAR8 kAssertSourcePath[] = Path

#define ASSERT(Line, Condition)                                 \
  do {                                                          \
    if (AssertEnabled()) {                                      \
      if (!(Condition)) {                                       \
        ReportAssertion(kAssertSourcePath, (Line), #Condition); \
      }                                                         \
    }                                                           \
  } while (FALSE)

#define ASSERT_EFI_ERROR(Line, StatusValue)                                                       \
  do {                                                                                            \
    if (AssertEnabled()) {                                                                        \
      const EFI_STATUS AssertedStatus = (StatusValue);                                            \
      if (EFI_ERROR(AssertedStatus)) {                                                            \
        if (DebugMessageEnabled()) {                                                              \
          EmitDebugMessage(DebugLevelError, "\nASSERT_EFI_ERROR (Status = %r)\n", AssertedStatus); \
        }                                                                                         \
        ReportAssertion(kAssertSourcePath, (Line), "!EFI_ERROR (Status)");                        \
      }                                                                                           \
    }                                                                                             \
  } while (FALSE)
