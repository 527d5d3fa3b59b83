#!/usr/bin/env bash
# Builds the unpacked OpenSSL source as an ordinary static libcrypto for the Linux host, for
# the host tests and the build's own key tool, so that they and the image run one OpenSSL.
#
#   build-host.sh SOURCE_DIR BUILD_DIR C_COMPILER
# Leaves BUILD_DIR/libcrypto.a and BUILD_DIR/include (generated headers); a stamp keeps
# a finished build from being redone.
set -euo pipefail
src=$(cd "$1" && pwd)
out=$2
cc=$3
mkdir -p "$out"
out=$(cd "$out" && pwd)
[[ -f "$out/.built" && -f "$out/libcrypto.a" ]] && exit 0

cd "$out"
jobs=$(nproc 2>/dev/null || echo 2)
perl "$src/Configure" linux-x86_64 no-shared no-tests no-apps no-docs no-module no-legacy \
  no-engine no-dso no-async no-threads "CC=$cc" >configure.log 2>&1 || {
  tail -n 30 configure.log >&2; exit 1; }
make -j"$jobs" build_generated >generate.log 2>&1 || { tail -n 30 generate.log >&2; exit 1; }
make -j"$jobs" libcrypto.a >build.log 2>&1 || { tail -n 40 build.log >&2; exit 1; }
touch .built
echo "build-host: libcrypto.a for the host in $out"
