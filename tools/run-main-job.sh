#!/usr/bin/env bash
# The main job: build the image with its key, sign a payload with the OpenSSL command line,
# and have the emulated module authenticate it; then change one byte and see it refused.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh "$@"

work=build/main-job
mkdir -p "$work"
head -c 4096 /dev/urandom > "$work/payload.bin"
key=$(cat build/keys/signing-key-path)
if ! grep -q "PRIVATE KEY" "$key"; then
  echo "main job: the image trusts $key, which holds no private key; sign with the private key:" >&2
  echo "  openssl dgst -sha256 -sign PRIVATE.pem -out payload.sig payload.bin" >&2
  exit 1
fi
openssl dgst -sha256 -sign "$key" -out "$work/payload.sig" "$work/payload.bin"

echo "== authenticate the signed payload"
set +e
build/smm-emulator build/VorqSmmImageAuthenticator.efi authenticate "$work/payload.bin" "$work/payload.sig"
signed=$?
printf '\x5a' | dd of="$work/payload.bin" bs=1 seek=100 conv=notrunc status=none
echo "== authenticate it again with one byte changed"
build/smm-emulator build/VorqSmmImageAuthenticator.efi authenticate "$work/payload.bin" "$work/payload.sig"
changed=$?
set -e
if [[ $signed -eq 0 && $changed -eq 1 ]]; then
  echo "main job: Success for the signed payload, Security Violation after the change"
else
  echo "main job: unexpected exit codes $signed and $changed" >&2
  exit 1
fi
