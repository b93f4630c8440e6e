#!/usr/bin/env bash
# check_exe.sh EXE OBJDUMP BITS IMPORT_LIST (windres beside objdump): GUI subsystem; imports only from system DLLs
# (and the C runtime) and as checked in; PE security flags; stack protector; manifest; size budget.
set -u
exe=$1 objdump=$2 bits=$3 expected=$4 failed=0
fail() { echo "FAIL: $*"; failed=1; }
dump=$("$objdump" -p "$exe") || { echo "FAIL: objdump could not read $exe"; exit 1; }
grep -qE '^Subsystem[[:space:]]+0*2[[:space:]]' <<<"$dump" || fail "not a GUI-subsystem program"
while read -r dll; do fail "imports from $dll"; done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" |
  grep -viE '^(KERNEL32|USER32|GDI32|SHELL32|ADVAPI32|msvcrt)\.dll$')
flags=$(sed -n 's/^DllCharacteristics[[:space:]]*//p' <<<"$dump" | head -n 1)
flags=$((16#${flags:-0}))
(( flags & 0x40 )) || fail "DYNAMIC_BASE missing"
(( flags & 0x100 )) || fail "NX_COMPAT missing"
[ "$bits" != 64 ] || (( flags & 0x20 )) || fail "HIGH_ENTROPY_VA missing"
size=$(stat -c %s "$exe")
(( size <= 131072 )) || fail "$size bytes, more than the 131072 (128 KiB) allowed"
[ "$bits" != 32 ] || (( flags & 0x400 )) || fail "NO_SEH missing"
grep -q '^Time/Date[[:space:]].* 1970$' <<<"$dump" || fail "a link time stamp: two builds would differ"
grep -qa 'stack smashing detected' "$exe" || fail "no stack protector"  # libssp's words, linked in only with it
[ "$bits" = 64 ] && architecture=amd64 || architecture=x86  # manifest 1: asInvoker, this processor, namespaces once
manifest=$("${objdump%objdump}windres" -J coff -O rc -i "$exe" 2>/dev/null |
  awk '/^1 24 /{on=1} on && /^END/{exit} on' | sed -n 's/^ *"\(.*\)\\n"$/\1/p' | sed 's/""/"/g')
[ -n "$manifest" ] || fail "no manifest resource 1"
grep -q 'requestedExecutionLevel level="asInvoker" uiAccess="false"' <<<"$manifest" || fail "manifest: not asInvoker"
grep -q "processorArchitecture=\"$architecture\"" <<<"$manifest" || fail "manifest: not $architecture"
for namespace in asm.v1 asm.v3 compatibility.v1; do
  [ "$(grep -o "xmlns=\"urn:schemas-microsoft-com:$namespace\"" <<<"$manifest" | wc -l)" = 1 ] ||
    fail "manifest: $namespace not declared exactly once"
done
[ "$(grep -c '<supportedOS Id=' <<<"$manifest")" = 5 ] || fail "manifest: not Vista to 10/11"
! grep -qi 'Common-Controls' <<<"$manifest" || fail "manifest: depends on common controls 6"
actual=$(awk '/^[[:space:]]*DLL Name:/ { dll = $3; next }
  /^[[:space:]]*vma:/ { next }
  dll != "" && NF >= 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print toupper(dll) "!" $3; next }
  /^$/ { dll = "" }' <<<"$dump" | sort -u)  # "DLL!function" lines; scripts/update-imports takes the diff's "+" lines
difference=$(diff -u "$expected" <(echo "$actual")) || { fail "imported functions differ from $(basename "$expected")\
 (scripts/update-imports refreshes it after review):"; echo "$difference"; }
[ $failed = 0 ] && echo "ok: $(basename "$exe") ($bits-bit): GUI, system DLLs, PE flags, stack protector, manifest, $size bytes, $(wc -l <<<"$actual") imports"
exit $failed
