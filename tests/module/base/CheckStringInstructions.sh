#!/bin/bash
# Checks the disassembly of a library: each inner memory routine does its work with exactly
# the repeat-prefixed string instructions named below, in that order, and refers to no other
# code; the compiler's byte fill refers to none either (in particular it did not become a
# call or a tail jump to memset).
#
#   CheckStringInstructions.sh OBJDUMP LIBRARY-OR-OBJECT...
set -u
objdump=$1
shift
# Only the files that were built: a routine whose object is missing is reported as not found.
files=()
for file in "$@"; do
  [ -f "$file" ] && files+=("$file")
done
[ ${#files[@]} -gt 0 ] || { echo "FAIL: none of the files exists: $*"; exit 1; }
listing=$("$objdump" -d -r --no-show-raw-insn -C "${files[@]}") || exit 1
status=0

# The instructions of one function, one per line, without addresses. The function is found by
# its demangled name in either mangling (host or image objects).
instructions() {
  awk -v name="$1" '
    /^[0-9a-f]+ <.*>:$/ { inside = index($0, " " name "(") > 0 || index($0, "<" name "(") > 0 || index($0, "<" name ">:") > 0; next }
    inside && NF { sub(/^[ \t]*[0-9a-f]+:[ \t]*/, ""); gsub(/[ \t]+/, " "); print }' <<<"$listing"
}

# expect NAME "string instructions, | separated, in order"
expect() {
  local name=$1 wanted=$2 body found failed=0
  body=$(instructions "$name")
  if [ -z "$body" ]; then
    echo "FAIL $name: not found"
    status=1
    return
  fi
  found=$(grep -oE '^(rep|repne) [a-z]+|^(std|cld)$' <<<"$body" | paste -sd'|')
  if [ "$found" != "$wanted" ]; then
    echo "FAIL $name: string instructions '$found', wanted '$wanted'"
    failed=1
  fi
  if grep -qE '^call|R_X86_64_|IMAGE_REL_AMD64_' <<<"$body"; then
    echo "FAIL $name: $(grep -E '^call|R_X86_64_|IMAGE_REL_AMD64_' <<<"$body" | head -1)"
    failed=1
  fi
  if [ "$failed" -ne 0 ]; then
    status=1
  else
    echo "ok   $name: ${wanted:-no string instruction, no call}"
  fi
}

expect InternalMemSetMem "rep stosb"
expect InternalMemZeroMem "rep stosq|rep stosb"
expect InternalMemCopyMem "rep movsq|rep movsb|std|rep movsb|cld"
expect InternalMemCompareMem "rep cmpsb"
expect InternalMemScanMem8 "repne scasb"
expect RuntimeByteFill ""
exit $status
