#!/usr/bin/env bash
# Checks wendelkamm.exe: GUI subsystem, only system DLLs, the PE security flags, the size budget and
# exactly the checked-in list of imported functions. Usage: check_exe.sh EXE OBJDUMP BITS IMPORT_LIST
set -u
exe=$1 objdump=$2 bits=$3 expected=$4 failed=0
fail() { echo "FAIL: $*"; failed=1; }
dump=$("$objdump" -p "$exe") || { echo "FAIL: objdump could not read $exe"; exit 1; }
grep -qE '^Subsystem[[:space:]]+0*2[[:space:]]' <<<"$dump" || fail "not a GUI-subsystem program"
while read -r dll; do fail "imports from $dll"; done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" |
  grep -viE '^(KERNEL32|USER32|GDI32|COMCTL32|SHELL32|ADVAPI32|IPHLPAPI|WSOCK32|NETAPI32|WININET|msvcrt)\.dll$')
flags=$(sed -n 's/^DllCharacteristics[[:space:]]*//p' <<<"$dump" | head -n 1)
flags=$((16#${flags:-0}))
(( flags & 0x40 )) || fail "DYNAMIC_BASE missing"
(( flags & 0x100 )) || fail "NX_COMPAT missing"
[ "$bits" != 64 ] || (( flags & 0x20 )) || fail "HIGH_ENTROPY_VA missing"
# A small download that starts at once from a floppy or a slow share: at most 128 KiB.
size=$(stat -c %s "$exe")
(( size <= 131072 )) || fail "$size bytes, more than the 131072 (128 KiB) allowed"
# "DLL!function" per line, sorted; scripts/update-imports takes the "+" lines of the diff.
actual=$(awk '/^[[:space:]]*DLL Name:/ { dll = $3; next }
  /^[[:space:]]*vma:/ { next }
  dll != "" && NF >= 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print toupper(dll) "!" $3; next }
  /^$/ { dll = "" }' <<<"$dump" | sort -u)
if ! difference=$(diff -u "$expected" <(echo "$actual")); then
  fail "imported functions differ from $(basename "$expected") (scripts/update-imports refreshes it after review):"
  echo "$difference"
fi
[ $failed = 0 ] && echo "ok: $(basename "$exe") ($bits-bit): GUI, system DLLs, PE flags, $size bytes, $(wc -l <<<"$actual") imports"
exit $failed
