#!/usr/bin/env bash
# The main job's command line on the test image: a payload signed with the stock OpenSSL
# command line authenticates (exit 0), a changed byte is refused (1), an exhausted pool at
# the hash context is out of resources (2), a broken image is an image error (4), and a bad
# command line is a usage error (64).
#   CliExitCodes.sh EMULATOR IMAGE PRIVATE_KEY
set -uo pipefail
emulator=$1 image=$2 key=$3
work=$(mktemp -d /tmp/vorq-cli.XXXXXX)
trap 'rm -rf "$work"' EXIT
head -c 4096 /dev/urandom > "$work/payload.bin"
openssl dgst -sha256 -sign "$key" -out "$work/payload.sig" "$work/payload.bin" || exit 1
cp "$work/payload.bin" "$work/changed.bin"
printf '\x01' | dd of="$work/changed.bin" bs=1 seek=4095 conv=notrunc status=none
head -c 1000 "$image" > "$work/truncated.efi"

fail=0
expect() { # exit code, text in the output, arguments...
  local code=$1 text=$2
  shift 2
  "$emulator" "$@" >"$work/out.txt" 2>&1
  local got=$?
  if [[ $got -ne $code ]] || ! grep -q -- "$text" "$work/out.txt"; then
    echo "FAIL: smm-emulator $*: exit $got (expected $code)"
    cat "$work/out.txt"
    fail=1
  else
    echo "ok: exit $code: $text"
  fi
}
expect 0 "authenticate status: Success (0x0)" "$image" authenticate "$work/payload.bin" "$work/payload.sig"
expect 1 "authenticate status: Security Violation (0x800000000000001A)" \
  "$image" authenticate "$work/changed.bin" "$work/payload.sig"
expect 2 "authenticate status: Out of Resources (0x8000000000000009)" \
  --fail-smm-allocation=1 "$image" authenticate "$work/payload.bin" "$work/payload.sig"
expect 4 "error: bad image" "$work/truncated.efi" load
expect 64 "" "$image" authenticate "$work/payload.bin"
expect 0 "entry status: Success (0x0)" "$image" load
exit $fail
