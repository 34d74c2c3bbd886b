#!/usr/bin/env bash
# Checks the built module file the way a host's loader sees it: its machine
# type, exactly the five exports by their plain names, and imports from
# system DLLs only. Usage: check_module_file.sh OBJDUMP MODULE win32|win64
set -u
objdump=$1 module=$2 tier=$3
dump=$("$objdump" -p "$module")
status=0
fail() { echo "FAIL: $*"; status=1; }

case $tier in
  win32) want_format=pei-i386 want_magic=010b ;;  # PE32
  win64) want_format=pei-x86-64 want_magic=020b ;;  # PE32+
  *) echo "unknown tier $tier"; exit 2 ;;
esac
format=$(grep -o 'file format [a-z0-9-]*' <<<"$dump" | awk '{print $3}')
[[ $format == "$want_format" ]] || fail "file format is '$format', expected $want_format"
magic=$(awk '$1 == "Magic" {print $2; exit}' <<<"$dump")
[[ $magic == "$want_magic" ]] || fail "optional header magic is '$magic', expected $want_magic"

# Rows of the export name table look like: "[   0] DllCanUnloadNow".
exports=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" |
          grep -E '^\s*\[ *[0-9]+\] ' | awk '{print $NF}' | sort | tr '\n' ' ')
want_exports="DllCanUnloadNow DllGetClassForm DllGetClassInfo DllGetClassObject DllGetInterface "
[[ $exports == "$want_exports" ]] || fail "exports are '$exports', expected '$want_exports'"

imports=$(grep -E '^\s*DLL Name:' <<<"$dump" | awk '{print $3}' | sort -u | tr '\n' ' ')
for dll in $imports; do
  case ${dll,,} in
    kernel32.dll|user32.dll|msvcrt.dll) ;;
    *) fail "imports from $dll" ;;
  esac
done

echo "format $format; exports: $exports; imports: $imports"
[[ $status == 0 ]] && echo "module file contract holds for $module"
exit $status
