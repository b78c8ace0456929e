#!/usr/bin/env bash
# Tries the README's commands on a bare Debian, as a new user would: builds a
# minimal RELEASE (bookworm or trixie) with debootstrap in a scratch folder,
# installs only what the README asks for first, clones this tree's HEAD into
# it, runs `make test`, then `make package`, installs the .deb and starts the
# installed command-line tool. Prints one line: passed with the time, or the
# first failure. Needs root and debootstrap; takes about 15 minutes.
#
#   tools/check-debian.sh trixie
set -euo pipefail

release=${1:-}
case "$release" in
bookworm | trixie) ;;
*)
    echo "usage: $0 bookworm|trixie" >&2
    exit 2
    ;;
esac
[[ $(id -u) -eq 0 ]] || { echo "$release: failed: debootstrap and chroot need root" >&2; exit 1; }
command -v debootstrap >/dev/null || { echo "$release: failed: debootstrap is not installed (make deps)" >&2; exit 1; }

repo=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)
head=$(git -C "$repo" rev-parse HEAD)
# The machine's own Debian mirror, as apt is configured to reach it.
mirror=$(apt-get indextargets --format '$(REPO_URI)' 'Origin: Debian' 'Label: Debian' \
    'Identifier: Packages' | head -n1)
[[ -n "$mirror" ]] || { echo "$release: failed: no Debian mirror in apt's sources (run apt-get update)" >&2; exit 1; }

log=${TMPDIR:-/tmp}/check-debian-$release.log
scratch=$(mktemp -d "${TMPDIR:-/var/tmp}/check-debian-$release.XXXXXX")
root=$scratch/root
: >"$log"

# Ends what still runs inside, unbinds what was bound in, and removes the
# folder only when nothing of the host is mounted below it any more.
cleanup() {
    local pid
    for pid in /proc/[0-9]*; do
        [[ "$(readlink "$pid/root" 2>/dev/null)" == "$root"* ]] && kill -KILL "${pid#/proc/}" 2>/dev/null
    done
    for mount in proc sys dev; do
        mountpoint -q "$root/$mount" && umount -R "$root/$mount"
    done
    if awk -v r="$scratch" '$2 == r || index($2, r "/") == 1 { found = 1 } END { exit !found }' /proc/self/mounts; then
        echo "$release: left $scratch in place: something is still mounted inside it" >&2
        return
    fi
    rm -rf --one-file-system "$scratch"
}
trap cleanup EXIT

# Runs a step with its output in the log; on failure prints the first line that
# says what went wrong, and stops.
step() {
    local name=$1
    shift
    echo "### $name" >>"$log"
    local from
    from=$(wc -l <"$log")
    if ! "$@" >>"$log" 2>&1; then
        local why
        why=$(tail -n +"$from" "$log" | grep -m1 -E 'FAIL!|FAIL:|\*\*\*Failed|ERROR:|CMake Error|^E: |error:' || tail -n1 "$log")
        echo "$release: failed at $name (${head:0:7}): $why (log: $log)"
        exit 1
    fi
}

inside() {
    chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin /bin/bash -c "$1"
}

mount_system() {
    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys" && mount --make-rslave "$root/sys"
    mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev"
}

start=$SECONDS
step debootstrap debootstrap --variant=minbase "$release" "$root" "$mirror"
step mount mount_system
step "the README's first step" inside \
    'apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends git make ca-certificates'
step clone git clone --quiet --no-local "$repo" "$root/root/marquee-sketch"
step checkout git -C "$root/root/marquee-sketch" checkout --quiet --detach "$head"
step "make test" inside 'cd /root/marquee-sketch && make test'
step "make package" inside 'cd /root/marquee-sketch && make package'
step "install the package" inside \
    'cd /root/marquee-sketch && DEBIAN_FRONTEND=noninteractive apt-get install -y ./build/marquee-sketch_*.deb'
step "start the installed program" inside \
    'cd /tmp && marquee-sketch-cli --version && marquee-sketch-cli --title 測試 --text 你好 | grep -q "unsigned int b"'

elapsed=$((SECONDS - start))
echo "$release: passed in $((elapsed / 60)) min $((elapsed % 60)) s (${head:0:7})"
