// The switches of the diagnostics: read from the fixed settings at every call, never cached.
#include "FixedSettings.h"
#include "Library/DebugLib.h"

// The message level sits in a section of its own so that a tool can find and patch it in a
// built image; the linker keeps it even when nothing reads it.
#if defined(VORQ_HOST_BUILD)
VORQ_EXTERN_C UINT32 PcdDebugMessageLevel = VORQ_DEBUG_MESSAGE_LEVEL;
#else
VORQ_EXTERN_C __attribute__((section(".dbglvl"), used)) const volatile UINT32 PcdDebugMessageLevel =
    VORQ_DEBUG_MESSAGE_LEVEL;
#endif

VORQ_EXTERN_C BOOLEAN AssertEnabled(VOID) { return (PcdDebugControlMask & 0x01) != 0 ? TRUE : FALSE; }

VORQ_EXTERN_C BOOLEAN DebugMessageEnabled(VOID) { return (PcdDebugControlMask & 0x02) != 0 ? TRUE : FALSE; }

VORQ_EXTERN_C UINT32 GetDebugMessageLevel(VOID) { return PcdDebugMessageLevel; }
