// Base types of the module, shared by the image, its host build and the emulator.
//
// The image is built for x86_64-unknown-windows, where the Microsoft x64 calling convention
// is the default. The host build runs the same sources on Linux, where every function that
// crosses a firmware table must say so explicitly: EFIAPI carries that.
#pragma once

typedef unsigned char UINT8;
typedef signed char INT8;
typedef unsigned short UINT16;
typedef short INT16;
typedef unsigned int UINT32;
typedef int INT32;
typedef unsigned long long UINT64;
typedef long long INT64;
typedef UINT64 UINTN;
typedef INT64 INTN;
typedef UINT8 BOOLEAN;
typedef char CHAR8;  // signed on x86-64, which AsciiStrCompare depends on
#ifdef __cplusplus
typedef char16_t CHAR16;
#else
typedef unsigned short CHAR16;
#endif
typedef void VOID;

#define TRUE ((BOOLEAN)1)
#define FALSE ((BOOLEAN)0)
#ifndef NULL
#ifdef __cplusplus
#define NULL nullptr
#else
#define NULL ((void *)0)
#endif
#endif

#define MAX_UINTN ((UINTN)0xFFFFFFFFFFFFFFFFULL)
#define MAX_INTN ((INTN)0x7FFFFFFFFFFFFFFFLL)
#define MAX_UINT32 ((UINT32)0xFFFFFFFFU)
#define MAX_INT32 ((INT32)0x7FFFFFFF)

#if defined(_WIN64) || defined(__MINGW64__) || defined(VORQ_IMAGE_BUILD)
#define EFIAPI
#else
#define EFIAPI __attribute__((ms_abi))
#endif

// Functions that the C library or the crypto library reach by their C names.
#ifdef __cplusplus
#define VORQ_EXTERN_C extern "C"
#else
#define VORQ_EXTERN_C
#endif

#ifdef __cplusplus
static_assert(sizeof(UINTN) == 8 && sizeof(VOID *) == 8, "the module is built for x86-64 only");
static_assert(sizeof(BOOLEAN) == 1 && sizeof(CHAR16) == 2, "UEFI widths");
static_assert((CHAR8)0x80 < 0, "CHAR8 must be signed");
#endif
