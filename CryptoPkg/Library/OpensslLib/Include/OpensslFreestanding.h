/*
 * Included ahead of every file of the freestanding libcrypto build. Under its UEFI target
 * the crypto library takes the firmware's base types and the big-number word size from the
 * build; everything it needs of a C library comes from the small headers beside this one,
 * whose functions the module defines.
 */
#ifndef OPENSSL_FREESTANDING_H
#define OPENSSL_FREESTANDING_H

#include "Base.h"

#ifndef SIXTY_FOUR_BIT
#define SIXTY_FOUR_BIT
#endif

#endif
