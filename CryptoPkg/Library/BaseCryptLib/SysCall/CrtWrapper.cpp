// The crypto library's runtime inside SMM: memory from the SMM pool, a quicksort, a clock that
// reads zero and a stream print that prints nothing.
#include "CrtWrapper.h"

#include "Library/BaseMemoryLib.h"
#include "Library/DebugLib.h"
#include "Library/MemoryAllocationLib.h"

ASSERT_SOURCE("CryptoPkg/Library/BaseCryptLib/SysCall/CrtWrapper");

namespace {

// Every block handed to the crypto library is preceded by its size, so that a reallocation
// copies no more than the old block holds. The header keeps the pool's alignment.
struct BlockHeader {
  UINTN Size;
  UINTN Reserved;
};
constexpr UINTN kHeaderSize = sizeof(BlockHeader);
static_assert(kHeaderSize == 16, "the header keeps a 16-byte alignment");

BlockHeader *HeaderOf(void *Block) { return static_cast<BlockHeader *>(Block) - 1; }

void *BlockAfter(BlockHeader *Header, UINTN Size) {
  Header->Size = Size;
  Header->Reserved = 0;
  return Header + 1;
}

// Swaps two elements through the scratch element; without one (the sort could not have it),
// byte by byte in place, so the result is the same.
void SwapElements(UINT8 *First, UINT8 *Second, UINTN ElementSize, VOID *Scratch) {
  if (Scratch != NULL) {
    MemCopy(Scratch, First, ElementSize);
    MemCopy(First, Second, ElementSize);
    MemCopy(Second, Scratch, ElementSize);
    return;
  }
  for (UINTN Index = 0; Index < ElementSize; Index++) {
    const UINT8 Byte = First[Index];
    First[Index] = Second[Index];
    Second[Index] = Byte;
  }
}

}  // namespace

VORQ_EXTERN_C void *VORQ_CRT_NAME(malloc)(UINTN Size) {
  if (Size > MAX_UINTN - kHeaderSize) {
    return NULL;
  }
  void *Header = SmmPoolAllocate(Size + kHeaderSize);
  if (Header == NULL) {
    return NULL;
  }
  return BlockAfter(static_cast<BlockHeader *>(Header), Size);
}

// The new block is zero-filled, holds as many bytes of the old one as the smaller of the two
// sizes, and replaces it; when it cannot be had, the old block stays as it was.
VORQ_EXTERN_C void *VORQ_CRT_NAME(realloc)(void *Block, UINTN Size) {
  if (Size > MAX_UINTN - kHeaderSize) {
    return NULL;
  }
  BlockHeader *OldHeader = NULL;
  UINTN OldSize = 0;
  if (Block != NULL) {
    OldHeader = HeaderOf(Block);
    OldSize = OldHeader->Size + kHeaderSize;
  }
  void *Header = SmmPoolReallocate(OldSize, Size + kHeaderSize, OldHeader);
  if (Header == NULL) {
    return NULL;
  }
  return BlockAfter(static_cast<BlockHeader *>(Header), Size);
}

// Releasing NULL is harmless, as the crypto library expects; it never reaches the pool.
VORQ_EXTERN_C void VORQ_CRT_NAME(free)(void *Block) {
  if (Block == NULL) {
    return;
  }
  SmmPoolFree(HeaderOf(Block));
}

VORQ_EXTERN_C VOID QuickSortRange(VOID *BufferToSort, UINTN ElementCount, UINTN ElementSize,
                                  CRT_QSORT_COMPARE CompareFunction, VOID *Buffer) {
  ASSERT(48, BufferToSort != ((void *) 0));
  ASSERT(49, CompareFunction != ((void *) 0));
  ASSERT(50, Buffer != ((void *) 0));

  if (ElementCount < 2 || ElementSize == 0) {
    return;
  }

  // The last element is the pivot; elements that compare at or below it go to the lower side.
  UINT8 *Elements = static_cast<UINT8 *>(BufferToSort);
  UINT8 *Pivot = Elements + (ElementCount - 1) * ElementSize;
  UINTN NextSwap = 0;
  for (UINTN Index = 0; Index < ElementCount - 1; Index++) {
    UINT8 *Element = Elements + Index * ElementSize;
    if (CompareFunction(Element, Pivot) <= 0) {
      SwapElements(Elements + NextSwap * ElementSize, Element, ElementSize, Buffer);
      NextSwap++;
    }
  }
  SwapElements(Pivot, Elements + NextSwap * ElementSize, ElementSize, Buffer);

  QuickSortRange(Elements, NextSwap, ElementSize, CompareFunction, Buffer);
  QuickSortRange(Elements + (NextSwap + 1) * ElementSize, ElementCount - NextSwap - 1, ElementSize,
                 CompareFunction, Buffer);
}

VORQ_EXTERN_C void VORQ_CRT_NAME(qsort)(void *base, UINTN count, UINTN width, CRT_QSORT_COMPARE compare) {
  ASSERT(244, base != ((void *) 0));
  ASSERT(245, compare != ((void *) 0));

  // Taken even when there is nothing to sort.
  void *Buffer = VORQ_CRT_NAME(malloc)(width);
  ASSERT(251, Buffer != ((void *) 0));

  QuickSortRange(base, count, width, compare, Buffer);
  VORQ_CRT_NAME(free)(Buffer);
}

// The clock reads zero. A NULL pointer, the usual way to ask for the time, is not written.
VORQ_EXTERN_C CRT_TIME VORQ_CRT_NAME(time)(CRT_TIME *timer) {
  if (timer != NULL) {
    *timer = 0;
  }
  return 0;
}

// The module has no stream to print to; the crypto library's fatal-error report lands here.
VORQ_EXTERN_C int VORQ_CRT_NAME(vfprintf)(CRT_FILE *stream, const char *format, va_list arguments) {
  (void)stream;
  (void)format;
  (void)arguments;
  return 0;
}
