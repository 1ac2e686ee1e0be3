#!/usr/bin/env bash
# The demo: installs what is missing, builds, and renders the wizard form with the native
# preview tool into out/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build_root=${DW_BUILD_ROOT:-build}
bash scripts/build.sh "$build_root/native" -DCMAKE_BUILD_TYPE=Release

preview=$build_root/native/preview
if [[ ! -x $preview ]]; then
  echo "The preview tool (tools/preview.cpp) is not there: built the DLLs only."
  exit 0
fi

# Every stage and sub-page of the form, as the simulated host drives it.
mkdir -p out/demo
render() {
  local name=$1
  shift
  "$preview" "$@" --out "out/demo/$name.png"
  echo "out/demo/$name.png"
}
echo "== rendering the form"
render 0-welcome --stage 0
render 1-information --stage 1
render 2-terms --stage 2 --subpage 0
render 2-destination --stage 2 --subpage 1
render 3-installation --stage 3
render 4-success --stage 4 --subpage 0
render 4-failure --stage 4 --subpage 1
render 0-welcome-scale2 --stage 0 --scale 2
