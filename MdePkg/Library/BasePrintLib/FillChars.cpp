#include "PrintLibInternal.h"

VORQ_EXTERN_C CHAR8 *FillChars(CHAR8 *Buffer, CHAR8 *EndBuffer, INTN Count, UINT16 Character,
                               UINTN BytesPerCharacter) {
  for (INTN Index = 0; Index < Count && Buffer < EndBuffer; Index++) {
    Buffer[0] = (CHAR8)(Character & 0xFF);
    if (BytesPerCharacter == 2) {
      Buffer[1] = (CHAR8)(Character >> 8);
    }
    Buffer += BytesPerCharacter;
  }
  return Buffer;
}
