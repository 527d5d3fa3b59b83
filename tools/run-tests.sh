#!/usr/bin/env bash
# Builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh "$@"
ctest --test-dir build -j "$(nproc)" --output-on-failure
