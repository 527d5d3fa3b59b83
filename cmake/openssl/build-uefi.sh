#!/usr/bin/env bash
# Builds the unpacked OpenSSL source as a freestanding libcrypto for the image, with
# OpenSSL's own UEFI target: PE/COFF objects for x86-64 compiled by clang against the
# module's base types and its minimal C library headers. Only the archive is made; the image
# link takes from it what the module reaches.
#
#   build-uefi.sh SOURCE_DIR BUILD_DIR C_COMPILER PROJECT_ROOT
# Leaves BUILD_DIR/libcrypto.lib (the objects listed in uefi-objects.txt) and BUILD_DIR/include;
# a stamp keeps a finished compile from being redone (delete BUILD_DIR to rebuild after
# changing the C library headers); the archive is made anew every time, from the list.
set -euo pipefail
src=$(cd "$1" && pwd)
out=$2
cc=$3
root=$(cd "$4" && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)

# What the module never reaches is configured out: no threads, files, sockets, engines,
# dynamic loading or configuration loading, no random seeding, and no algorithm beyond RSA,
# the SHA family and what their code needs. Deprecated interfaces stay: the module uses the
# low-level RSA and SHA-256 calls.
options=(
  no-asm no-threads no-shared no-dso no-sock no-stdio no-ui-console no-afalgeng no-async
  no-autoload-config no-engine no-filenames no-posix-io no-tests no-apps no-docs no-module
  no-legacy no-secure-memory no-srp no-ts no-ocsp no-cms no-ct no-dgram no-ec no-dh no-dsa
  no-sm2 no-sm3 no-sm4 no-des no-rc2 no-rc4 no-idea no-cast no-bf no-camellia no-seed no-aria
  no-chacha no-poly1305 no-siphash no-whirlpool no-md4 no-mdc2 no-rmd160 no-blake2 no-scrypt
  no-ocb no-siv no-comp no-quic no-ssl no-tls no-dtls no-http no-cmp no-rfc3779 no-ui
  no-ktls no-padlockeng no-capieng no-loadereng no-gost no-ecx no-ml-kem no-ml-dsa no-slh-dsa
  no-argon2 no-thread-pool no-default-thread-pool no-cached-fetch
  --with-rand-seed=none
)

include="$root/CryptoPkg/Library/OpensslLib/Include"
# _WIN32/_WIN64 must be undefined for the UEFI target: the code paths they select are those
# of a Windows process.
cflags=(
  --target=x86_64-unknown-windows -U_WIN32 -U_WIN64 -U_MSC_VER -DVORQ_IMAGE_BUILD
  -ffreestanding -nostdlibinc -isystem "$include" -I"$root/MdePkg/Include"
  -include "$include/OpensslFreestanding.h"
  -Os -g0 -ffunction-sections -fdata-sections -mno-avx -mno-avx2 -mno-avx512f
  -fno-stack-protector -fno-asynchronous-unwind-tables -fno-unwind-tables
  -mno-incremental-linker-compatible
  "-ffile-prefix-map=$src=openssl" "-ffile-prefix-map=$root=."
  -Wno-everything
)

cd "$out"
if [[ ! -f .compiled ]]; then
jobs=$(nproc 2>/dev/null || echo 2)
perl "$src/Configure" UEFI-x86_64 "${options[@]}" "CC=$cc" >configure.log 2>&1 || {
  tail -n 30 configure.log >&2; exit 1; }
make -j"$jobs" build_generated >generate.log 2>&1 || { tail -n 30 generate.log >&2; exit 1; }
make -j"$jobs" "CC=$cc" "CFLAGS=${cflags[*]}" AR=llvm-ar RANLIB=llvm-ranlib libcrypto.a >build.log 2>&1 || {
  grep -E 'error' build.log | head -n 40 >&2; exit 1; }
touch .compiled
fi

# The image's archive holds only the objects the module is meant to reach (uefi-objects.txt),
# so that no reference can pull a left-out layer in behind the module's back.
objects=()
while read -r pattern; do
  [[ -z "$pattern" || "$pattern" == \#* ]] && continue
  matched=0
  for object in $pattern; do
    [[ -f "$object" ]] && { objects+=("$object"); matched=1; }
  done
  [[ $matched -eq 1 ]] || { echo "build-uefi: no object matches $pattern" >&2; exit 1; }
done < "$root/cmake/openssl/uefi-objects.txt"
rm -f libcrypto.lib
llvm-ar qc libcrypto.lib "${objects[@]}"
llvm-ranlib libcrypto.lib
echo "build-uefi: freestanding libcrypto in $out (${#objects[@]} objects)"
