#!/usr/bin/env bash
# The demo: installs what is missing, builds, renders the wizard form with the native
# preview tool into out/demo/, then runs the real DLL in the demo host under Wine through a
# whole installation: on $DISPLAY when there is one (you can watch it), else on a virtual
# display. The host drives itself (--auto) and takes a screenshot of every stage into
# out/demo/wine/. DEMO_INTERACTIVE=1 with a $DISPLAY lets you click through it yourself.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build_root=${DW_BUILD_ROOT:-build}
bash scripts/build.sh "$build_root/native" -DCMAKE_BUILD_TYPE=Release

preview=$build_root/native/preview
run_preview=1
if [[ ! -x $preview ]]; then
  echo "The preview tool (tools/preview.cpp) is not there: no native renders."
  run_preview=0
fi

# Every stage and sub-page of the form, as the simulated host drives it.
mkdir -p out/demo
render() {
  local name=$1
  shift
  "$preview" "$@" --out "out/demo/$name.png"
  echo "out/demo/$name.png"
}
if ((run_preview)); then
  echo "== rendering the form"
  render 0-welcome --stage 0
  render 1-information --stage 1
  render 2-terms --stage 2 --subpage 0
  render 2-destination --stage 2 --subpage 1
  render 3-installation --stage 3
  render 4-success --stage 4 --subpage 0
  render 4-failure --stage 4 --subpage 1
  render 0-welcome-scale2 --stage 0 --scale 2
fi

# The demo host under Wine.
wine=$(command -v wine64 || true)
[[ -z $wine && -x /usr/lib/wine/wine64 ]] && wine=/usr/lib/wine/wine64
if [[ -z $wine ]]; then
  echo "wine64 is not installed: no run of the demo host."
  exit 0
fi
export WINEPREFIX=$(realpath -m "$build_root/demo/wineprefix") WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
shots=$PWD/out/demo/wine
rm -rf "$shots"
mkdir -p "$shots" "$WINEPREFIX"
host=(dist/x86_64/duskhost.exe --screenshots "Z:${shots//\//\\}")
if [[ -z ${DEMO_INTERACTIVE:-} || -z ${DISPLAY:-} ]]; then
  host+=(--auto)
fi
echo "== running the demo host under Wine: ${host[*]}"
status=0
if [[ -n ${DISPLAY:-} ]]; then
  "$wine" "${host[@]}" | tee out/demo/wine/host.log || status=$?
else
  xvfb-run -a -s "-screen 0 1920x1080x24" "$wine" "${host[@]}" | tee out/demo/wine/host.log ||
    status=$?
fi
# Wine may kill a finished process on its way out (status 137): the end marker counts.
if ! grep -q "DUSKHOST DONE exit=0" out/demo/wine/host.log; then
  echo "The demo host did not finish (status $status)."
  exit 1
fi
shopt -s nullglob
bmps=("$shots"/*.bmp)
if ((${#bmps[@]})); then
  python3 tests/e2e/bmp.py "${bmps[@]}" >/dev/null
  echo "Screenshots of the demo host (BMP, and PNG beside each):"
  for bmp in "${bmps[@]}"; do echo "${bmp%.bmp}.png"; done
fi
