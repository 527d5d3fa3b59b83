// The argument checks of SetJump and LongJump, called first thing by both assembly routines.
// They use the firmware's calling convention on every build, as the routines do.
#include "Library/BaseLib.h"
#include "Library/DebugLib.h"

namespace SetJumpSource {
ASSERT_SOURCE("MdePkg/Library/BaseLib/SetJump");

// The buffer must exist and sit on an 8-byte boundary; its 128-bit fields need no more.
VORQ_EXTERN_C VOID EFIAPI CheckJumpBuffer(JUMP_CONTEXT *JumpBuffer) {
  ASSERT(37, JumpBuffer != ((void *) 0));
  ASSERT(39, ((UINTN)JumpBuffer & (8 - 1)) == 0);
}
}  // namespace SetJumpSource

namespace LongJumpSource {
ASSERT_SOURCE("MdePkg/Library/BaseLib/LongJump");

// A resumed SetJump must be told apart from its first return, which gives 0.
VORQ_EXTERN_C VOID EFIAPI CheckLongJumpValue(UINTN Value) { ASSERT(44, Value != 0); }
}  // namespace LongJumpSource
