#!/usr/bin/env bash
# Proves the README's two commands on a bare Debian 12: makes a minimal Debian 12 root with
# mmdebstrap, copies a clean clone of HEAD into it and runs there, as a new user would,
#   bash scripts/test.sh                      (set up, build, every test)
#   bash scripts/start.sh                     (set up, build, start; offscreen, and the program
#                                              quits by itself once the first table is drawn)
# It prints one line saying what passed. Needs root (chroot and mounts); installs mmdebstrap
# with apt-get when missing. Logs and the root stay in the work folder it names.
#
#   bash scripts/check-fresh.sh [WORK_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "check-fresh: run as root (it makes a chroot)" >&2; exit 2; }
if ! command -v mmdebstrap >/dev/null; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends mmdebstrap
fi

work=${1:-$(mktemp -d /var/tmp/tarnwell-fresh.XXXXXX)}
mkdir -p "$work"
work=$(realpath "$work")
root=$work/root
rm -rf "$root"
echo "check-fresh: work folder $work"

# This machine's Debian mirror may serve a dated snapshot: accept its Release files as they are.
aptopts=(--aptopt='Acquire::Check-Valid-Until "false"' --aptopt='Acquire::Check-Date "false"')
mirror=http://deb.debian.org
mmdebstrap --quiet --variant=minbase "${aptopts[@]}" bookworm "$root" \
  "deb $mirror/debian bookworm main" \
  "deb $mirror/debian bookworm-updates main" \
  "deb $mirror/debian-security bookworm-security main" > "$work/mmdebstrap.log" 2>&1 \
  || { echo "check-fresh: FAILED making the Debian 12 root (see $work/mmdebstrap.log)"; exit 1; }

# A clean clone of what is committed, nothing of this work tree's build or local files.
git clone -q "$PWD" "$root/root/tarnwell"
git -C "$root/root/tarnwell" log -1 --format='check-fresh: testing %h %s'
cp /etc/resolv.conf "$root/etc/resolv.conf"

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
}
trap cleanup EXIT
for m in proc sys dev dev/pts; do
  mkdir -p "$root/$m"
  case $m in
    proc) mount -t proc proc "$root/proc" ;;
    *) mount --rbind "/$m" "$root/$m" ;;
  esac
  mounted+=("$root/$m")
done

in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    /bin/bash -c "cd /root/tarnwell && $1"
}

if ! in_root "bash scripts/test.sh" > "$work/test.log" 2>&1; then
  tail -n 30 "$work/test.log"
  echo "check-fresh: FAILED: bash scripts/test.sh (log: $work/test.log)"
  exit 1
fi
tests=$(grep -E 'tests passed' "$work/test.log" | tail -n 1)
if ! in_root "QT_QPA_PLATFORM=offscreen TARNWELL_STARTUP_PROBE=1 timeout 300 bash scripts/start.sh" \
    > "$work/start.log" 2>&1 || ! grep -q '^first table after' "$work/start.log"; then
  tail -n 30 "$work/start.log"
  echo "check-fresh: FAILED: bash scripts/start.sh (log: $work/start.log)"
  exit 1
fi
first=$(grep '^first table after' "$work/start.log" | tail -n 1)
echo "check-fresh: PASSED on a bare Debian 12 root: bash scripts/test.sh ($tests); bash scripts/start.sh ($first)"
