#!/usr/bin/env bash
# Static checks of a cross-built duskwizard.dll, read with the mingw objdump:
#  - the export names are exactly func01..func15;
#  - each export cleans up the stack as its convention says: on i686 the stdcall exports
#    end in "ret $N" (N = their argument bytes), the cdecl ones in a plain "ret";
#    on x86_64 every export ends in a plain "ret";
#  - only system DLLs are imported;
#  - the file is at most 1.5 MB.
# Usage: check_dll.sh path/to/duskwizard.dll i686|x86_64
# Exit 77 (skipped) when the DLL has not been built.
set -euo pipefail

dll=$1
arch=$2
if [[ ! -f $dll ]]; then
  echo "SKIP: $dll not built"
  exit 77
fi
objdump=$arch-w64-mingw32-objdump
command -v "$objdump" >/dev/null || { echo "FAIL: $objdump not found"; exit 1; }

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

headers=$("$objdump" -p "$dll")

# --- export names ---
names=$(awk '/^\[Ordinal\/Name Pointer\] Table/ {on = 1; next}
             on && /^$/ {on = 0}
             on {print $NF}' <<<"$headers")
expected=$(for i in $(seq -w 1 15); do echo "func$i"; done)
if [[ $(sort <<<"$names") != "$expected" ]]; then
  fail "export names are not exactly func01..func15: ${names//$'\n'/ }"
else
  echo "ok: exports func01..func15"
fi

# --- stack clean-up of each export ---
image_base=$((16#$(awk '$1 == "ImageBase" {print $2}' <<<"$headers")))
declare -A rva_of_index
while read -r index rva; do
  rva_of_index[$index]=$rva
done < <(awk '/^Export Address Table -- Ordinal Base/ {on = 1; next}
              on && /^$/ {on = 0}
              on {gsub(/[\[\]]/, " "); print $1, $4}' <<<"$headers")
declare -A name_index
while read -r index name; do
  name_index[$name]=$index
done < <(awk '/^\[Ordinal\/Name Pointer\] Table/ {on = 1; next}
              on && /^$/ {on = 0}
              on {gsub(/[\[\]]/, " "); print $1, $NF}' <<<"$headers")

expected_ret() {
  if [[ $arch == i686 ]]; then
    case $1 in
      func04 | func11) echo 'ret $0x4' ;;
      func06) echo 'ret $0x10' ;;
      *) echo 'ret' ;;
    esac
  else
    echo 'ret'
  fi
}

for name in $expected; do
  index=${name_index[$name]:-}
  if [[ -z $index ]]; then
    continue  # already reported above
  fi
  address=$((image_base + 16#${rva_of_index[$index]}))
  # The export's own body, up to its first return.
  first_ret=$("$objdump" -d --no-show-raw-insn --start-address=$address \
    --stop-address=$((address + 4096)) "$dll" |
    grep -m1 -E $'\t(ret|retl|retq)( |$)' |
    sed -E 's/^[^\t]*\t//; s/retl|retq/ret/; s/[[:space:]]+/ /g; s/ $//' || true)
  want=$(expected_ret "$name")
  if [[ $first_ret != "$want" ]]; then
    fail "$name ends with '${first_ret:-no ret}', expected '$want'"
  else
    echo "ok: $name ends with '$want'"
  fi
done

# --- imports ---
allowed='^(kernel32|user32|gdi32|advapi32|ole32|oleaut32|windowscodecs|shell32|shcore|msvcrt|uxtheme|comctl32|api-ms-win-.*)\.dll$'
imports=$(awk '/DLL Name:/ {print $3}' <<<"$headers")
for import in $imports; do
  lower=$(tr '[:upper:]' '[:lower:]' <<<"$import")
  if [[ ! $lower =~ $allowed ]]; then
    fail "imports non-system DLL $import"
  fi
done
echo "imports: ${imports//$'\n'/ }"

# --- size ---
size=$(stat -c %s "$dll")
limit=$((1536 * 1024))
if ((size > limit)); then
  fail "$dll is $size bytes, more than $limit"
else
  echo "ok: size $size bytes (limit $limit)"
fi

if ((failures > 0)); then
  echo "$failures check(s) failed for $dll"
  exit 1
fi
echo "all checks passed for $dll"
