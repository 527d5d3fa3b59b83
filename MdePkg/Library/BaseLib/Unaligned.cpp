// Little-endian loads from any byte address, each one load of its width: the processor
// accepts unaligned loads, and the types below tell the compiler so (and that they may alias
// any object), so it neither splits the load nor assumes alignment.
#include "Library/BaseLib.h"
#include "Library/DebugLib.h"

ASSERT_SOURCE("MdePkg/Library/BaseLib/Unaligned");

namespace {
typedef UINT16 __attribute__((aligned(1), may_alias)) UNALIGNED_UINT16;
typedef UINT32 __attribute__((aligned(1), may_alias)) UNALIGNED_UINT32;
typedef UINT64 __attribute__((aligned(1), may_alias)) UNALIGNED_UINT64;
}  // namespace

VORQ_EXTERN_C UINT16 LoadUnaligned16(const VOID *Buffer) {
  ASSERT(38, Buffer != ((void *) 0));
  return *(const UNALIGNED_UINT16 *)Buffer;
}

VORQ_EXTERN_C UINT32 LoadUnaligned32(const VOID *Buffer) {
  ASSERT(141, Buffer != ((void *) 0));
  return *(const UNALIGNED_UINT32 *)Buffer;
}

VORQ_EXTERN_C UINT64 LoadUnaligned64(const VOID *Buffer) {
  ASSERT(192, Buffer != ((void *) 0));
  return *(const UNALIGNED_UINT64 *)Buffer;
}
