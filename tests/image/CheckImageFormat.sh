#!/usr/bin/env bash
# The image is what an SMM core loads: PE32+ for x86-64, an EFI boot-service driver at base 0
# with DIR64 base relocations and no imports, and no AVX or AVX-512 register anywhere in its
# code (SMM does not save that state).
#   CheckImageFormat.sh LLVM_READOBJ LLVM_OBJDUMP IMAGE
set -euo pipefail
readobj=$1 objdump=$2 image=$3
headers=$("$readobj" --file-headers --coff-basereloc --coff-imports "$image")
fail=0
expect() {
  if ! grep -q -E "$1" <<<"$headers"; then
    echo "FAIL: $image: no '$1' in its headers"
    fail=1
  fi
}
expect 'Machine: IMAGE_FILE_MACHINE_AMD64 \(0x8664\)'
expect 'Magic: 0x20B'
expect 'Subsystem: IMAGE_SUBSYSTEM_EFI_BOOT_SERVICE_DRIVER \(0xB\)'
expect 'ImageBase: 0x0$'
expect 'ImportTableRVA: 0x0$'
expect 'Type: DIR64'
if grep -q -E 'Import \{' <<<"$headers"; then
  echo "FAIL: $image imports something"
  fail=1
fi
other=$(grep -E '^\s+Type: ' <<<"$headers" | grep -v -E 'DIR64|ABSOLUTE' || true)
if [[ -n "$other" ]]; then
  echo "FAIL: $image has relocations other than DIR64: $(sort -u <<<"$other" | tr -s ' ')"
  fail=1
fi
wide=$("$objdump" -d "$image" | grep -E '%[yz]mm[0-9]' | head -n 5 || true)
if [[ -n "$wide" ]]; then
  echo "FAIL: $image uses AVX registers:"
  echo "$wide"
  fail=1
fi
size=$(stat -c %s "$image")
echo "$image: $size bytes, $(grep -c 'Type: DIR64' <<<"$headers") DIR64 relocations"
exit $fail
