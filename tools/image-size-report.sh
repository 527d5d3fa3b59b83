#!/usr/bin/env bash
# Prints an image's size and what makes it up, from the link map the build writes beside it:
# bytes per input object, largest first.
#   tools/image-size-report.sh [build/VorqSmmImageAuthenticator.efi] [rows]
set -euo pipefail
image=${1:-build/VorqSmmImageAuthenticator.efi}
rows=${2:-25}
map=${image%.efi}.map
[[ -f "$image" && -f "$map" ]] || { echo "image-size-report: $image or $map is missing" >&2; exit 1; }
echo "$image: $(stat -c %s "$image") bytes"
# Input-section lines of lld-link's map: address, size, alignment, then "archive(object):(section)".
awk 'function hex(s,   i, v) { v = 0; s = tolower(s); for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1; return v }
     $4 ~ /:\(/ && NF == 4 {
       name = $4; sub(/:\([^)]*\)$/, "", name); sub(/^.*\(/, "", name); sub(/\)$/, "", name)
       sub(/^.*\//, "", name); sub(/\.(cpp|c|S)\.o$/, "", name); sub(/^libcrypto-lib-/, "openssl:", name)
       bytes[name] += hex($2); total += hex($2)
     }
     END { printf "%d bytes in sections\n", total; for (n in bytes) printf "%8d %s\n", bytes[n], n }' "$map" \
  | { read -r first; echo "$first"; sort -rn | head -n "$rows"; }
