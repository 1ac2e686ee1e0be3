#!/usr/bin/env bash
# Builds the 32-bit test machine's image into OUT_DIR from Debian packages alone: a Debian
# bookworm amd64 root file system with i386 multiarch (inside the image only; this
# machine's dpkg is never given i386) holding Wine with its 32-bit part, Xvfb and the
# real-input driver's tools (python3, xdotool, ImageMagick's import), a small initrd, and a
# WoW64 Wine prefix made once by booting the machine. The image cache of
# scripts/vm32.sh is keyed by a hash of this file and ./init: changing either rebuilds it.
# Usage: scripts/vm32/build-image.sh OUT_DIR DEB_CACHE_DIR
# Leaves OUT_DIR/vmlinuz, initrd.img and root.ext4; any failure exits non-zero.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$1
debs=$2
source "$here/boot.sh"

mirror=http://deb.debian.org/debian
packages=(
  linux-image-amd64 initramfs-tools kmod mount procps
  xvfb xauth wine wine64 wine32:i386 fonts-wine fonts-liberation
  # tests/e2e/real_input.py: real X input, screenshots with `import`.
  python3 xdotool imagemagick-6.q16
)
# The X libraries Wine loads at run time (it only recommends them), for both architectures.
for library in libxrender1 libxrandr2 libxcursor1 libxi6 libxinerama1 libxcomposite1 \
  libxfixes3 libxxf86vm1; do
  packages+=("$library" "$library:i386")
done

mkdir -p "$out" "$debs"
rootfs=$out/rootfs
include=$(IFS=,; echo "${packages[*]}")

echo "vm32 image: mmdebstrap bookworm amd64,i386 ($(date -u +%T))"
# The initrd holds only what mounting the root disk needs (MODULES=list), 5 MB instead of
# 35 MB, and boots much faster under emulation. Downloaded packages are kept in DEB_CACHE_DIR
# for the next build and left out of the image.
mmdebstrap --variant=apt --architectures=amd64,i386 --include="$include" \
  --skip=download/empty \
  --setup-hook='mkdir -p "$1"/var/cache/apt/archives "$1"/etc/initramfs-tools/conf.d' \
  --setup-hook="sync-in $debs /var/cache/apt/archives/" \
  --setup-hook='echo MODULES=list >"$1"/etc/initramfs-tools/conf.d/vm32' \
  --customize-hook='printf "%s\n" virtio_pci virtio_blk ext4 >>"$1"/etc/initramfs-tools/modules' \
  --customize-hook='chroot "$1" update-initramfs -u -k all' \
  --customize-hook="sync-out /var/cache/apt/archives $debs" \
  --customize-hook='rm -f "$1"/var/cache/apt/archives/*.deb' \
  --customize-hook="upload $here/init /usr/local/sbin/vm32-init" \
  --customize-hook='chmod 755 "$1"/usr/local/sbin/vm32-init' \
  bookworm "$rootfs" \
  "deb $mirror bookworm main" \
  "deb $mirror bookworm-updates main" \
  "deb http://deb.debian.org/debian-security bookworm-security main"

cp -L "$rootfs"/boot/vmlinuz-* "$out/vmlinuz"
cp -L "$rootfs"/boot/initrd.img-* "$out/initrd.img"
[[ $(ls "$rootfs"/boot/vmlinuz-* | wc -l) == 1 ]] || { echo "vm32 image: more than one kernel"; exit 1; }

echo "vm32 image: root disk ($(date -u +%T))"
used_kb=$(du -sk "$rootfs" | cut -f1)
# Room for the Wine prefix (1.3 GB: Wine copies its DLLs into it) and for what the tests
# write while the machine runs; the file is sparse. No blocks reserved for root, who runs
# everything here: Windows programs would see the reserve as a full disk.
mke2fs -q -F -t ext4 -m 0 -L vm32root -d "$rootfs" "$out/root.ext4" "$((used_kb + 4096 * 1024))k"
rm -rf "$rootfs"

echo "vm32 image: Wine prefix, by booting the machine once ($(date -u +%T))"
share=$out/share
mkdir -p "$share/.vm32"
cat >"$share/.vm32/job.sh" <<'JOB'
set -e
for tool in python3 xdotool import xvfb-run; do command -v "$tool"; done
wine wineboot -i >/dev/null 2>&1 || true
wineserver -w
test -f "$WINEPREFIX/system.reg"
test -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll"
# A crashing program must end, not wait for Wine's debugger.
wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f
wineserver -w
# A 32-bit program runs in the prefix.
wine 'C:\windows\syswow64\cmd.exe' /c echo vm32-wow64-ok | tr -d '\r' | grep -x vm32-wow64-ok
wineserver -w
df -h /
test "$(df -k --output=avail / | tail -n 1)" -gt $((2 * 1024 * 1024))
sync
JOB
status=0
vm32_boot "$out" "$share" 900 writable || status=$?
rm -rf "$share"
((status == 0)) || { echo "vm32 image: making the Wine prefix failed (status $status)"; exit 1; }
echo "vm32 image: done ($(date -u +%T))"
