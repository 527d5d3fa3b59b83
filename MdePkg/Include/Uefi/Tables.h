// The UEFI system table, boot services, runtime services and configuration table, as the
// firmware lays them out on x86-64. Members the module never calls keep their slot with a
// generic function type so that every offset stays true.
#pragma once
#include "Base.h"
#include "Uefi/Guid.h"
#include "Uefi/Status.h"

typedef VOID *EFI_HANDLE;
typedef VOID *EFI_EVENT;
typedef UINTN EFI_TPL;

// A service slot whose arguments the module never needs to know.
typedef VOID(EFIAPI *EFI_UNUSED_SERVICE)(VOID);

typedef enum : UINT32 {
  EfiReservedMemoryType = 0,
  EfiLoaderCode = 1,
  EfiLoaderData = 2,
  EfiBootServicesCode = 3,
  EfiBootServicesData = 4,
  EfiRuntimeServicesCode = 5,
  EfiRuntimeServicesData = 6,
} EFI_MEMORY_TYPE;

typedef enum : UINT32 {
  EFI_NATIVE_INTERFACE = 0,
} EFI_INTERFACE_TYPE;

typedef struct {
  UINT64 Signature;
  UINT32 Revision;
  UINT32 HeaderSize;
  UINT32 CRC32;
  UINT32 Reserved;
} EFI_TABLE_HEADER;

typedef struct {
  UINT16 Year;
  UINT8 Month;
  UINT8 Day;
  UINT8 Hour;
  UINT8 Minute;
  UINT8 Second;
  UINT8 Pad1;
  UINT32 Nanosecond;
  INT16 TimeZone;
  UINT8 Daylight;
  UINT8 Pad2;
} EFI_TIME;

typedef struct {
  EFI_GUID VendorGuid;
  VOID *VendorTable;
} EFI_CONFIGURATION_TABLE;

typedef EFI_STATUS(EFIAPI *EFI_ALLOCATE_POOL)(EFI_MEMORY_TYPE PoolType, UINTN Size, VOID **Buffer);
typedef EFI_STATUS(EFIAPI *EFI_FREE_POOL)(VOID *Buffer);
typedef EFI_STATUS(EFIAPI *EFI_HANDLE_PROTOCOL)(EFI_HANDLE Handle, const EFI_GUID *Protocol, VOID **Interface);
typedef EFI_STATUS(EFIAPI *EFI_INSTALL_CONFIGURATION_TABLE)(const EFI_GUID *Guid, VOID *Table);
typedef EFI_STATUS(EFIAPI *EFI_LOCATE_PROTOCOL)(const EFI_GUID *Protocol, VOID *Registration, VOID **Interface);

typedef struct {
  EFI_TABLE_HEADER Hdr;
  EFI_UNUSED_SERVICE RaiseTPL;
  EFI_UNUSED_SERVICE RestoreTPL;
  EFI_UNUSED_SERVICE AllocatePages;
  EFI_UNUSED_SERVICE FreePages;
  EFI_UNUSED_SERVICE GetMemoryMap;
  EFI_ALLOCATE_POOL AllocatePool;
  EFI_FREE_POOL FreePool;
  EFI_UNUSED_SERVICE CreateEvent;
  EFI_UNUSED_SERVICE SetTimer;
  EFI_UNUSED_SERVICE WaitForEvent;
  EFI_UNUSED_SERVICE SignalEvent;
  EFI_UNUSED_SERVICE CloseEvent;
  EFI_UNUSED_SERVICE CheckEvent;
  EFI_UNUSED_SERVICE InstallProtocolInterface;
  EFI_UNUSED_SERVICE ReinstallProtocolInterface;
  EFI_UNUSED_SERVICE UninstallProtocolInterface;
  EFI_HANDLE_PROTOCOL HandleProtocol;
  VOID *Reserved;
  EFI_UNUSED_SERVICE RegisterProtocolNotify;
  EFI_UNUSED_SERVICE LocateHandle;
  EFI_UNUSED_SERVICE LocateDevicePath;
  EFI_INSTALL_CONFIGURATION_TABLE InstallConfigurationTable;
  EFI_UNUSED_SERVICE LoadImage;
  EFI_UNUSED_SERVICE StartImage;
  EFI_UNUSED_SERVICE Exit;
  EFI_UNUSED_SERVICE UnloadImage;
  EFI_UNUSED_SERVICE ExitBootServices;
  EFI_UNUSED_SERVICE GetNextMonotonicCount;
  EFI_UNUSED_SERVICE Stall;
  EFI_UNUSED_SERVICE SetWatchdogTimer;
  EFI_UNUSED_SERVICE ConnectController;
  EFI_UNUSED_SERVICE DisconnectController;
  EFI_UNUSED_SERVICE OpenProtocol;
  EFI_UNUSED_SERVICE CloseProtocol;
  EFI_UNUSED_SERVICE OpenProtocolInformation;
  EFI_UNUSED_SERVICE ProtocolsPerHandle;
  EFI_UNUSED_SERVICE LocateHandleBuffer;
  EFI_LOCATE_PROTOCOL LocateProtocol;
  EFI_UNUSED_SERVICE InstallMultipleProtocolInterfaces;
  EFI_UNUSED_SERVICE UninstallMultipleProtocolInterfaces;
  EFI_UNUSED_SERVICE CalculateCrc32;
  EFI_UNUSED_SERVICE CopyMem;
  EFI_UNUSED_SERVICE SetMem;
  EFI_UNUSED_SERVICE CreateEventEx;
} EFI_BOOT_SERVICES;

// The module only keeps the runtime services pointer; it calls none of them.
typedef struct {
  EFI_TABLE_HEADER Hdr;
} EFI_RUNTIME_SERVICES;

typedef struct {
  EFI_TABLE_HEADER Hdr;
  CHAR16 *FirmwareVendor;
  UINT32 FirmwareRevision;
  EFI_HANDLE ConsoleInHandle;
  VOID *ConIn;
  EFI_HANDLE ConsoleOutHandle;
  VOID *ConOut;
  EFI_HANDLE StandardErrorHandle;
  VOID *StdErr;
  EFI_RUNTIME_SERVICES *RuntimeServices;
  EFI_BOOT_SERVICES *BootServices;
  UINTN NumberOfTableEntries;
  EFI_CONFIGURATION_TABLE *ConfigurationTable;
} EFI_SYSTEM_TABLE;

#ifdef __cplusplus
#define VORQ_OFFSET(Type, Member, Offset) \
  static_assert(__builtin_offsetof(Type, Member) == (Offset), #Type "." #Member " offset")

static_assert(sizeof(EFI_TABLE_HEADER) == 24, "EFI_TABLE_HEADER size");
VORQ_OFFSET(EFI_TABLE_HEADER, Revision, 8);
VORQ_OFFSET(EFI_TABLE_HEADER, HeaderSize, 12);
VORQ_OFFSET(EFI_TABLE_HEADER, CRC32, 16);
VORQ_OFFSET(EFI_TABLE_HEADER, Reserved, 20);

static_assert(sizeof(EFI_CONFIGURATION_TABLE) == 24, "EFI_CONFIGURATION_TABLE size");
VORQ_OFFSET(EFI_CONFIGURATION_TABLE, VendorTable, 16);

static_assert(sizeof(EFI_TIME) == 16, "EFI_TIME size");
VORQ_OFFSET(EFI_TIME, Month, 2);
VORQ_OFFSET(EFI_TIME, Day, 3);
VORQ_OFFSET(EFI_TIME, Hour, 4);
VORQ_OFFSET(EFI_TIME, Minute, 5);
VORQ_OFFSET(EFI_TIME, Second, 6);
VORQ_OFFSET(EFI_TIME, Pad1, 7);
VORQ_OFFSET(EFI_TIME, Nanosecond, 8);
VORQ_OFFSET(EFI_TIME, TimeZone, 12);
VORQ_OFFSET(EFI_TIME, Daylight, 14);
VORQ_OFFSET(EFI_TIME, Pad2, 15);

static_assert(sizeof(EFI_MEMORY_TYPE) == 4 && EfiBootServicesData == 4 && EfiRuntimeServicesData == 6,
              "EFI_MEMORY_TYPE");

static_assert(sizeof(EFI_SYSTEM_TABLE) == 120, "EFI_SYSTEM_TABLE size");
VORQ_OFFSET(EFI_SYSTEM_TABLE, FirmwareVendor, 24);
VORQ_OFFSET(EFI_SYSTEM_TABLE, FirmwareRevision, 32);
VORQ_OFFSET(EFI_SYSTEM_TABLE, ConsoleInHandle, 40);
VORQ_OFFSET(EFI_SYSTEM_TABLE, ConIn, 48);
VORQ_OFFSET(EFI_SYSTEM_TABLE, ConsoleOutHandle, 56);
VORQ_OFFSET(EFI_SYSTEM_TABLE, ConOut, 64);
VORQ_OFFSET(EFI_SYSTEM_TABLE, StandardErrorHandle, 72);
VORQ_OFFSET(EFI_SYSTEM_TABLE, StdErr, 80);
VORQ_OFFSET(EFI_SYSTEM_TABLE, RuntimeServices, 88);
VORQ_OFFSET(EFI_SYSTEM_TABLE, BootServices, 96);
VORQ_OFFSET(EFI_SYSTEM_TABLE, NumberOfTableEntries, 104);
VORQ_OFFSET(EFI_SYSTEM_TABLE, ConfigurationTable, 112);

VORQ_OFFSET(EFI_BOOT_SERVICES, RaiseTPL, 24);
VORQ_OFFSET(EFI_BOOT_SERVICES, RestoreTPL, 32);
VORQ_OFFSET(EFI_BOOT_SERVICES, AllocatePages, 40);
VORQ_OFFSET(EFI_BOOT_SERVICES, FreePages, 48);
VORQ_OFFSET(EFI_BOOT_SERVICES, GetMemoryMap, 56);
VORQ_OFFSET(EFI_BOOT_SERVICES, AllocatePool, 64);
VORQ_OFFSET(EFI_BOOT_SERVICES, FreePool, 72);
VORQ_OFFSET(EFI_BOOT_SERVICES, CreateEvent, 80);
VORQ_OFFSET(EFI_BOOT_SERVICES, SetTimer, 88);
VORQ_OFFSET(EFI_BOOT_SERVICES, WaitForEvent, 96);
VORQ_OFFSET(EFI_BOOT_SERVICES, SignalEvent, 104);
VORQ_OFFSET(EFI_BOOT_SERVICES, CloseEvent, 112);
VORQ_OFFSET(EFI_BOOT_SERVICES, CheckEvent, 120);
VORQ_OFFSET(EFI_BOOT_SERVICES, InstallProtocolInterface, 128);
VORQ_OFFSET(EFI_BOOT_SERVICES, ReinstallProtocolInterface, 136);
VORQ_OFFSET(EFI_BOOT_SERVICES, UninstallProtocolInterface, 144);
VORQ_OFFSET(EFI_BOOT_SERVICES, HandleProtocol, 152);
VORQ_OFFSET(EFI_BOOT_SERVICES, Reserved, 160);
VORQ_OFFSET(EFI_BOOT_SERVICES, RegisterProtocolNotify, 168);
VORQ_OFFSET(EFI_BOOT_SERVICES, LocateHandle, 176);
VORQ_OFFSET(EFI_BOOT_SERVICES, LocateDevicePath, 184);
VORQ_OFFSET(EFI_BOOT_SERVICES, InstallConfigurationTable, 192);
VORQ_OFFSET(EFI_BOOT_SERVICES, LoadImage, 200);
VORQ_OFFSET(EFI_BOOT_SERVICES, StartImage, 208);
VORQ_OFFSET(EFI_BOOT_SERVICES, Exit, 216);
VORQ_OFFSET(EFI_BOOT_SERVICES, UnloadImage, 224);
VORQ_OFFSET(EFI_BOOT_SERVICES, ExitBootServices, 232);
VORQ_OFFSET(EFI_BOOT_SERVICES, GetNextMonotonicCount, 240);
VORQ_OFFSET(EFI_BOOT_SERVICES, Stall, 248);
VORQ_OFFSET(EFI_BOOT_SERVICES, SetWatchdogTimer, 256);
VORQ_OFFSET(EFI_BOOT_SERVICES, ConnectController, 264);
VORQ_OFFSET(EFI_BOOT_SERVICES, DisconnectController, 272);
VORQ_OFFSET(EFI_BOOT_SERVICES, OpenProtocol, 280);
VORQ_OFFSET(EFI_BOOT_SERVICES, CloseProtocol, 288);
VORQ_OFFSET(EFI_BOOT_SERVICES, OpenProtocolInformation, 296);
VORQ_OFFSET(EFI_BOOT_SERVICES, ProtocolsPerHandle, 304);
VORQ_OFFSET(EFI_BOOT_SERVICES, LocateHandleBuffer, 312);
VORQ_OFFSET(EFI_BOOT_SERVICES, LocateProtocol, 320);
VORQ_OFFSET(EFI_BOOT_SERVICES, InstallMultipleProtocolInterfaces, 328);
VORQ_OFFSET(EFI_BOOT_SERVICES, UninstallMultipleProtocolInterfaces, 336);
VORQ_OFFSET(EFI_BOOT_SERVICES, CalculateCrc32, 344);
VORQ_OFFSET(EFI_BOOT_SERVICES, CopyMem, 352);
VORQ_OFFSET(EFI_BOOT_SERVICES, SetMem, 360);
VORQ_OFFSET(EFI_BOOT_SERVICES, CreateEventEx, 368);
static_assert(sizeof(EFI_BOOT_SERVICES) == 376, "EFI_BOOT_SERVICES size");
#endif
