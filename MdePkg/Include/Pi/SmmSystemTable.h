// The PI SMM system table (EFI_SMM_SYSTEM_TABLE2) and the SMRAM descriptor.
#pragma once
#include "Uefi/Tables.h"

typedef struct {
  UINT64 PhysicalStart;
  UINT64 CpuStart;
  UINT64 PhysicalSize;
  UINT64 RegionState;
} EFI_SMRAM_DESCRIPTOR;

typedef EFI_STATUS(EFIAPI *EFI_SMM_ALLOCATE_POOL)(EFI_MEMORY_TYPE PoolType, UINTN Size, VOID **Buffer);
typedef EFI_STATUS(EFIAPI *EFI_SMM_FREE_POOL)(VOID *Buffer);
typedef EFI_STATUS(EFIAPI *EFI_SMM_INSTALL_PROTOCOL_INTERFACE)(EFI_HANDLE *Handle, const EFI_GUID *Protocol,
                                                               EFI_INTERFACE_TYPE InterfaceType, VOID *Interface);
typedef EFI_STATUS(EFIAPI *EFI_SMM_LOCATE_PROTOCOL)(const EFI_GUID *Protocol, VOID *Registration, VOID **Interface);

// The CPU I/O protocol embedded in the table: memory and port access, read and write each.
typedef struct {
  EFI_UNUSED_SERVICE Read;
  EFI_UNUSED_SERVICE Write;
} EFI_SMM_IO_ACCESS2;

typedef struct {
  EFI_SMM_IO_ACCESS2 Mem;
  EFI_SMM_IO_ACCESS2 Io;
} EFI_SMM_CPU_IO2_PROTOCOL;

typedef struct {
  EFI_TABLE_HEADER Hdr;
  CHAR16 *SmmFirmwareVendor;
  UINT32 SmmFirmwareRevision;
  EFI_UNUSED_SERVICE SmmInstallConfigurationTable;
  EFI_SMM_CPU_IO2_PROTOCOL SmmIo;
  EFI_SMM_ALLOCATE_POOL SmmAllocatePool;
  EFI_SMM_FREE_POOL SmmFreePool;
  EFI_UNUSED_SERVICE SmmAllocatePages;
  EFI_UNUSED_SERVICE SmmFreePages;
  EFI_UNUSED_SERVICE SmmStartupThisAp;
  UINTN CurrentlyExecutingCpu;
  UINTN NumberOfCpus;
  UINTN *CpuSaveStateSize;
  VOID **CpuSaveState;
  UINTN NumberOfTableEntries;
  EFI_CONFIGURATION_TABLE *SmmConfigurationTable;
  EFI_SMM_INSTALL_PROTOCOL_INTERFACE SmmInstallProtocolInterface;
  EFI_UNUSED_SERVICE SmmUninstallProtocolInterface;
  EFI_UNUSED_SERVICE SmmHandleProtocol;
  EFI_UNUSED_SERVICE SmmRegisterProtocolNotify;
  EFI_UNUSED_SERVICE SmmLocateHandle;
  EFI_SMM_LOCATE_PROTOCOL SmmLocateProtocol;
  EFI_UNUSED_SERVICE SmiManage;
  EFI_UNUSED_SERVICE SmiHandlerRegister;
  EFI_UNUSED_SERVICE SmiHandlerUnRegister;
} EFI_SMM_SYSTEM_TABLE2;

static_assert(sizeof(EFI_SMRAM_DESCRIPTOR) == 32, "EFI_SMRAM_DESCRIPTOR size");
VORQ_OFFSET(EFI_SMRAM_DESCRIPTOR, CpuStart, 8);
VORQ_OFFSET(EFI_SMRAM_DESCRIPTOR, PhysicalSize, 16);
VORQ_OFFSET(EFI_SMRAM_DESCRIPTOR, RegionState, 24);

VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmmFirmwareVendor, 24);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmmFirmwareRevision, 32);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmmInstallConfigurationTable, 40);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmmIo.Mem.Read, 48);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmmIo.Mem.Write, 56);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmmIo.Io.Read, 64);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmmIo.Io.Write, 72);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmmAllocatePool, 80);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmmFreePool, 88);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmmAllocatePages, 96);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmmFreePages, 104);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmmStartupThisAp, 112);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, CurrentlyExecutingCpu, 120);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, NumberOfCpus, 128);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, CpuSaveStateSize, 136);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, CpuSaveState, 144);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, NumberOfTableEntries, 152);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmmConfigurationTable, 160);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmmInstallProtocolInterface, 168);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmmUninstallProtocolInterface, 176);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmmHandleProtocol, 184);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmmRegisterProtocolNotify, 192);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmmLocateHandle, 200);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmmLocateProtocol, 208);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmiManage, 216);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmiHandlerRegister, 224);
VORQ_OFFSET(EFI_SMM_SYSTEM_TABLE2, SmiHandlerUnRegister, 232);
static_assert(sizeof(EFI_SMM_SYSTEM_TABLE2) == 240, "EFI_SMM_SYSTEM_TABLE2 size");
