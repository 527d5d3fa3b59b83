#!/usr/bin/env bash
# Fetches Debian 13's OpenSSL 3.5 source package into a cache folder of the build tree and
# unpacks it there. apt runs with a private state (its own sources list, lists folder and
# cache), so the machine's apt configuration is only read, never changed; apt verifies the
# files against the signed index. The index may list a version whose files are missing from
# the archive, so the listed versions are tried newest first until one downloads whole.
#
#   fetch-source.sh CACHE_DIR
# On success CACHE_DIR/source holds the unpacked tree and CACHE_DIR/version the version.
set -euo pipefail

cache=$1
mkdir -p "$cache"
cache=$(cd "$cache" && pwd)
if [[ -f "$cache/source/.unpacked" && -s "$cache/version" ]]; then
  exit 0
fi

apt_state="$cache/apt"
rm -rf "$apt_state" "$cache/source" "$cache/download"
mkdir -p "$apt_state/sources.list.d" "$apt_state/lists/partial" "$apt_state/cache/archives/partial" "$cache/download"

# The mirror is the one this machine's own Debian entries use.
mirror=$(grep -h -s -E '^[[:space:]]*(URIs:|deb[[:space:]])' /etc/apt/sources.list /etc/apt/sources.list.d/* \
  | grep -o -E 'https?://[^[:space:]]+/debian/?([[:space:]]|$)' | head -n 1 | tr -d '[:space:]' || true)
if [[ -z "$mirror" ]]; then
  echo "fetch-source: no Debian mirror found in this machine's apt sources" >&2
  exit 1
fi
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
if [[ ! -r "$keyring" ]]; then
  echo "fetch-source: $keyring is missing (package debian-archive-keyring)" >&2
  exit 1
fi
echo "deb-src [signed-by=$keyring] $mirror trixie main" > "$apt_state/sources.list"

apt_opts=(
  -o "Dir::Etc::SourceList=$apt_state/sources.list"
  -o "Dir::Etc::SourceParts=$apt_state/sources.list.d"
  -o "Dir::State::Lists=$apt_state/lists"
  -o "Dir::Cache=$apt_state/cache"
  -o "Debug::NoLocking=1"
  -o "APT::Sandbox::User=root"
)
apt-get -q "${apt_opts[@]}" update >"$cache/apt-update.log" 2>&1 || {
  cat "$cache/apt-update.log" >&2
  echo "fetch-source: apt-get update of the private source index failed" >&2
  exit 1
}

mapfile -t versions < <(apt-cache "${apt_opts[@]}" showsrc openssl | sed -n 's/^Version: //p' | sort -r -V | uniq)
if [[ ${#versions[@]} -eq 0 ]]; then
  echo "fetch-source: the index lists no openssl source package" >&2
  exit 1
fi

for version in "${versions[@]}"; do
  case "$version" in 3.5.*) ;; *) continue ;; esac
  rm -rf "$cache/download" && mkdir -p "$cache/download"
  if (cd "$cache/download" && apt-get -q "${apt_opts[@]}" source --download-only "openssl=$version") \
      >"$cache/apt-source.log" 2>&1; then
    dsc=$(ls "$cache/download"/openssl_*.dsc)
    dpkg-source --no-check -x "$dsc" "$cache/source" >"$cache/unpack.log" 2>&1
    echo "$version" > "$cache/version"
    touch "$cache/source/.unpacked"
    rm -rf "$cache/download" "$cache"/openssl_*
    echo "fetch-source: OpenSSL $version"
    exit 0
  fi
  echo "fetch-source: openssl $version did not download whole, trying the next version" >&2
done
echo "fetch-source: no openssl 3.5 source version could be downloaded" >&2
exit 1
