# Sourced by scripts/vm32.sh and scripts/vm32/build-image.sh: boots the 32-bit test machine.
# vm32_boot IMAGE_DIR SHARE_DIR SECONDS [writable]
#   Boots IMAGE_DIR's kernel, initrd and root disk (a snapshot unless "writable") with
#   SHARE_DIR as /share, and runs SHARE_DIR/.vm32/job.sh inside; the console goes to stdout.
#   Returns the job's status, or 125 when the machine never reached the job (boot failure),
#   or 124 when it ran past SECONDS.
vm32_boot() {
  local image=$1 share=$2 seconds=$3 mode=${4:-snapshot}
  local snapshot=on
  [[ $mode == writable ]] && snapshot=off
  rm -f "$share/.vm32/status"
  local console=$share/.vm32/console.log qemu_status=0
  # -cpu max,-smap: with SMAP the emulated kernel faults on Wine's return to user code.
  # One virtual CPU: TCG runs a single one faster here, and the host has two cores in all.
  if timeout -k 10 "$seconds" qemu-system-x86_64 -machine q35 -accel tcg -cpu max,-smap -smp 1 \
    -m 3072 -nodefaults -display none -no-reboot -nic none -serial stdio \
    -kernel "$image/vmlinuz" -initrd "$image/initrd.img" \
    -append "root=/dev/vda rw init=/usr/local/sbin/vm32-init console=ttyS0 panic=1 quiet loglevel=3" \
    -drive "file=$image/root.ext4,if=virtio,format=raw,snapshot=$snapshot" \
    -fsdev "local,id=share,path=$share,security_model=none" \
    -device virtio-9p-pci,fsdev=share,mount_tag=share \
    </dev/null 2>&1 | sed -u 's/\r$//' | tee "$console"; then
    qemu_status=0
  else
    qemu_status=${PIPESTATUS[0]}
  fi
  if [[ -f $share/.vm32/status ]]; then
    return "$(cat "$share/.vm32/status")"
  fi
  if grep -q '^vm32: ready' "$console"; then
    echo "vm32: the machine stopped during the job (emulator status $qemu_status)"
    return 124
  fi
  echo "vm32: the machine never reached the job (emulator status $qemu_status)"
  return 125
}
