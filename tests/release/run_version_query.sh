#!/usr/bin/env bash
# Reads dist/x86_64/duskwizard.dll's version resource under Wine with the system's version
# API (dll_version_query.exe, built by the x86_64 cross build) and checks that it states the
# version of include/duskwizard.h.
# Usage: tests/release/run_version_query.sh [work folder]  (default ${DW_BUILD_ROOT:-build}/release-wine)
# The program is found at $DW_VERSION_QUERY, else in the cross build folder of
# scripts/build.sh. Exit 77 (skipped) when Wine, the program or the DLL is missing.
set -euo pipefail
cd "$(dirname "$0")/../.."
repo=$PWD
work=$(realpath -m "${1:-${DW_BUILD_ROOT:-build}/release-wine}")
query=${DW_VERSION_QUERY:-$repo/${DW_BUILD_ROOT:-build}/x86_64/dll_version_query.exe}
dll=$repo/dist/x86_64/duskwizard.dll

source "$repo/tests/e2e/wine_env.sh"
if [[ -z $wine || -z $wineserver ]]; then
  echo "SKIP: wine64 is not installed (scripts/install-deps.sh installs it)"
  exit 77
fi
for file in "$query" "$dll"; do
  [[ -f $file ]] || { echo "SKIP: $file is missing: build the x86_64 cross build first"; exit 77; }
done

use_wine_prefix "$work"

status=0
timeout 120 "$wine" "$query" "Z:${dll//\//\\}" >"$work/query.log" 2>"$work/wine.log" || status=$?
"$wineserver" -k 2>/dev/null || true
cat "$work/query.log"
# Wine sometimes kills a finished process on its way out (137): the end marker counts.
if ! grep -q "^VERSION QUERY DONE failures=0" "$work/query.log"; then
  echo "FAIL: the version query did not pass (status $status); Wine's output: $work/wine.log"
  exit 1
fi
