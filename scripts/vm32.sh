#!/usr/bin/env bash
# The emulated 32-bit test machine: a Debian bookworm amd64 system with Wine's 32-bit part,
# run by qemu-system-x86_64 (TCG, one virtual CPU), because this machine's kernel cannot
# execute 32-bit code. Its image is built from Debian packages (scripts/vm32/build-image.sh)
# and cached outside the clone in $DW_VM32_CACHE (default /var/cache/duskwizard/vm32), under
# a hash of its recipe. A cached image is used only when its stamp, written last, matches
# the files; a missing, partial or broken one is built again.
#
#   scripts/vm32.sh image          makes sure a valid image is cached (builds it if not)
#   scripts/vm32.sh check          exits 0 when a valid image is cached, 1 when not
#   scripts/vm32.sh run [--share DIR] [--timeout SECONDS] [--] COMMAND [ARG...]
#       boots the machine with DIR (default: the current folder) mounted at /share, runs
#       COMMAND there with bash (Wine prefix /root/.wine, WINEDEBUG=-all), powers off, and
#       exits with COMMAND's status (124: stopped by the timeout, default 3600 s; 125: the
#       machine did not boot). The root disk is a snapshot: runs never change the image.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/vm32/boot.sh"
cache_root=${DW_VM32_CACHE:-/var/cache/duskwizard/vm32}
key=$(cat "$here/vm32/build-image.sh" "$here/vm32/init" | sha256sum | cut -c1-16)
image=$cache_root/$key
files=(vmlinuz initrd.img root.ext4)

die() {
  echo "vm32: $*" >&2
  exit 1
}

stamp_text() {
  echo "recipe $key"
  (cd "$image" && stat -c '%n %s %Y' "${files[@]}" && sha256sum vmlinuz initrd.img)
}

image_valid() {
  [[ -f $image/stamp ]] && [[ "$(stamp_text 2>/dev/null)" == "$(cat "$image/stamp")" ]]
}

tools_present() {
  local tool missing=()
  for tool in qemu-system-x86_64 mmdebstrap mke2fs; do
    command -v "$tool" >/dev/null || missing+=("$tool")
  done
  ((${#missing[@]} == 0)) ||
    die "missing ${missing[*]}: scripts/install-deps.sh installs them (qemu-system-x86, mmdebstrap, e2fsprogs)"
}

# Builds the image into a fresh folder beside the cache entry and moves it into place, then
# writes the stamp. Run under the cache lock.
build_image() {
  local started=$SECONDS
  local free_kb
  ((EUID == 0)) || die "cannot build the image: mmdebstrap and mke2fs -d need root (run as root)"
  mkdir -p "$cache_root" || die "cannot build the image: cannot create $cache_root"
  free_kb=$(df -Pk "$cache_root" | awk 'NR == 2 { print $4 }')
  ((free_kb >= 8 * 1024 * 1024)) ||
    die "cannot build the image: $((free_kb / 1024)) MB free in $cache_root, 8192 MB needed"
  rm -rf "$image" "$cache_root/build-$key"
  echo "vm32: building the image $image (log: $cache_root/build-$key.log)"
  if ! bash "$here/vm32/build-image.sh" "$cache_root/build-$key" "$cache_root/debs" \
    >"$cache_root/build-$key.log" 2>&1; then
    tail -n 30 "$cache_root/build-$key.log" >&2
    rm -rf "$cache_root/build-$key"
    die "building the image failed (the lines above; the whole log: $cache_root/build-$key.log)"
  fi
  mv "$cache_root/build-$key" "$image"
  stamp_text >"$image/stamp.new"
  mv "$image/stamp.new" "$image/stamp"
  # Images of other recipes are no longer used.
  find "$cache_root" -mindepth 1 -maxdepth 1 -type d -not -name debs -not -name "$key" \
    -exec rm -rf {} +
  find "$cache_root" -mindepth 1 -maxdepth 1 -name 'build-*.log' -not -name "build-$key.log" \
    -delete
  echo "vm32: image built in $((SECONDS - started)) s"
}

ensure_image() {
  tools_present
  mkdir -p "$cache_root" || die "cannot create the image cache $cache_root (DW_VM32_CACHE)"
  exec 9>"$cache_root/.lock"
  flock 9
  if image_valid; then
    echo "vm32: cached image $image"
  else
    [[ -e $image ]] && echo "vm32: the cached image $image is incomplete or damaged: building it again"
    build_image
  fi
  flock -s 9 # others may use the image meanwhile, but not rebuild it
}

invalidate_image() {
  rm -f "$image/stamp"
}

run() {
  local share=$PWD seconds=3600
  while (($#)); do
    case $1 in
    --share) share=$2; shift 2 ;;
    --timeout) seconds=$2; shift 2 ;;
    --) shift; break ;;
    *) break ;;
    esac
  done
  (($#)) || die "run: no command given"
  share=$(realpath "$share")
  ensure_image
  mkdir -p "$share/.vm32"
  {
    printf 'cd /share\n'
    printf '%q ' "$@"
    printf '\n'
  } >"$share/.vm32/job.sh"
  local status=0 started=$SECONDS
  vm32_boot "$image" "$share" "$seconds" || status=$?
  if ((status == 125)); then
    # The cached image did not boot: it is not trusted again. Build it anew and retry once.
    echo "vm32: the machine did not boot from the cached image: building it again"
    flock 9
    invalidate_image
    build_image
    flock -s 9
    status=0
    vm32_boot "$image" "$share" "$seconds" || status=$?
  fi
  exec 9>&-
  echo "vm32: machine ran $((SECONDS - started)) s, command status $status"
  return "$status"
}

case ${1:-} in
image) ensure_image ;;
check) tools_present; image_valid && echo "vm32: valid image $image" || { echo "vm32: no valid image ($image)"; exit 1; } ;;
run) shift; run "$@" ;;
*) sed -n '9,16p' "$0" >&2; exit 2 ;;
esac
