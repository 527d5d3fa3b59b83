#!/usr/bin/env bash
# Configures and builds everything in build/ (the image, its debug flavour, the emulator and
# the tests). Extra arguments go to cmake, e.g. -DSIGNING_KEY=platform.pem.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "$@"
cmake --build build -j "$(nproc)"
