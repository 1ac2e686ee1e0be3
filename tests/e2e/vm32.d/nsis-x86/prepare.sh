#!/usr/bin/env bash
# Here, before the 32-bit test machine boots (run_e2e32.sh runs it in the repository's
# root): builds the NSIS example for the i686 DLL (Target x86-unicode, a 32-bit installer)
# into this folder's copy $1 and brings the real-input driver along.
set -euo pipefail
copy=$1
dll=dist/i686/duskwizard.dll
[[ -f $dll ]] || { echo "nsis-x86: $dll is missing: build the i686 cross build first"; exit 1; }
command -v makensis >/dev/null || { echo "nsis-x86: makensis is missing (scripts/install-deps.sh)"; exit 1; }
source tests/e2e/real_input_roads.sh
echo "== nsis-x86: building the NSIS example for the i686 DLL"
build_nsis_example x86-unicode "$dll" "$copy/nsis-example-i686.exe"
cp tests/e2e/real_input.py tests/e2e/bmp.py tests/e2e/real_input_roads.sh tests/e2e/wine_env.sh \
  "$copy/"
