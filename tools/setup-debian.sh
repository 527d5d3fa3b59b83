#!/usr/bin/env bash
# Installs what the project needs on a fresh Debian 12 machine (run as root). The OpenSSL
# source itself is fetched by the build, into the build tree.
set -euo pipefail
if [[ $(id -u) -ne 0 ]]; then
  echo "setup-debian: run as root (it installs Debian packages)" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
packages=(
  clang lld llvm cmake ninja-build make perl
  libgtest-dev libcli11-dev nlohmann-json3-dev
  dpkg-dev debian-archive-keyring
  openssl
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
echo "setup-debian: all packages present"
