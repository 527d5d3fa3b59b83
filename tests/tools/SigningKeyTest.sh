#!/usr/bin/env bash
# The signing-key tool takes RSA-2048 keys with exponent 65537, public or private, PEM in any
# of its usual forms, and refuses every other key saying why; the configure stops on such a
# key with the tool's reason; a generated development key is private to its owner.
#   SigningKeyTest.sh TOOL SOURCE_DIR OPENSSL_CACHE
set -uo pipefail
tool=$1 source=$2 cache=$3
work=$(mktemp -d /tmp/vorq-keys.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail=0
check() { # name, expected exit code, expected text in stderr, command...
  local name=$1 code=$2 text=$3
  shift 3
  "$@" >out.txt 2>err.txt
  local got=$?
  if [[ $got -ne $code ]] || { [[ -n "$text" ]] && ! tr -s ' \n' ' ' <err.txt | grep -q -- "$text"; }; then
    echo "FAIL: $name: exit $got (expected $code), stderr: $(cat err.txt)"
    fail=1
  else
    echo "ok: $name"
  fi
}

"$tool" generate private.pem public.pem || { echo "FAIL: generate"; exit 1; }
mode=$(stat -c %a private.pem)
[[ $mode == 600 ]] && echo "ok: private key mode 0600" || { echo "FAIL: private key mode $mode"; fail=1; }
openssl rsa -in private.pem -RSAPublicKey_out -out pkcs1.pem 2>/dev/null
openssl genrsa -out small.pem 1024 2>/dev/null
openssl genrsa -3 -out exponent3.pem 2048 2>/dev/null
openssl ecparam -genkey -name prime256v1 -out ec.pem 2>/dev/null
echo "not a key" > junk.pem

check "private key" 0 "" "$tool" modulus private.pem a.cpp
check "public key" 0 "" "$tool" modulus public.pem b.cpp
check "PKCS#1 public key" 0 "" "$tool" modulus pkcs1.pem c.cpp
if ! cmp -s a.cpp b.cpp || ! cmp -s a.cpp c.cpp; then echo "FAIL: the three forms give different sources"; fail=1; fi
check "1024-bit key" 1 "has 1024 bits" "$tool" modulus small.pem x.cpp
check "exponent 3" 1 "public exponent is 3" "$tool" modulus exponent3.pem x.cpp
check "EC key" 1 "not an RSA key" "$tool" modulus ec.pem x.cpp
check "no key" 1 "no PEM public or private key" "$tool" modulus junk.pem x.cpp
check "missing file" 1 "cannot be read" "$tool" modulus absent.pem x.cpp
check "bad command line" 64 "" "$tool" modulus

# The configure refuses the key before anything is built.
check "configure with an EC key" 1 "SIGNING_KEY refused: .*not an RSA key" \
  cmake -S "$source" -B tree -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DVORQ_OPENSSL_CACHE="$cache" -DVORQ_BUILD_EMULATOR=OFF -DSIGNING_KEY="$work/ec.pem"
exit $fail
