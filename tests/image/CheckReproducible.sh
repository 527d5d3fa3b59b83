#!/usr/bin/env bash
# Builds the images a second time from scratch, in a build tree at another path, and compares
# them byte for byte with the first build's.
#   CheckReproducible.sh SOURCE_DIR BUILD_DIR OPENSSL_CACHE SIGNING_KEY
set -euo pipefail
source=$1 first=$2 cache=$3 key=$4
second=$(mktemp -d /tmp/vorq-reproducible.XXXXXX)
trap 'rm -rf "$second"' EXIT
cmake -S "$source" -B "$second/tree" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DVORQ_OPENSSL_CACHE="$cache" -DSIGNING_KEY="$key" -DVORQ_BUILD_EMULATOR=OFF >"$second/configure.log" 2>&1 ||
  { tail -n 20 "$second/configure.log"; exit 1; }
cmake --build "$second/tree" --target image_shipped image_debug >"$second/build.log" 2>&1 ||
  { tail -n 20 "$second/build.log"; exit 1; }
status=0
for image in VorqSmmImageAuthenticator.efi debug/VorqSmmImageAuthenticator.efi; do
  if cmp "$first/$image" "$second/tree/$image"; then
    echo "$image: identical ($(stat -c %s "$first/$image") bytes)"
  else
    echo "FAIL: $image differs between two clean builds"
    status=1
  fi
done
exit $status
