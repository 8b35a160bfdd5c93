#!/usr/bin/env bash
# CI's machine: runs the README's test command on a fresh minimal Debian 12 (debootstrap minbase of
# today's packages), as root, with nothing installed but what the project's own scripts install. A green
# run here is green on a newcomer's machine; the machine running this script only lends its kernel.
#
# Usage: scripts/ci-chroot.sh [COMMAND]       (default ./test.sh, run in the copied tree)
# The committed HEAD is tested, not the working tree. The log is streamed and kept in $VEXT_CI_LOG
# (default /tmp/vext-ci.log); the exit status is the command's (3 when the chroot cannot be made).
# The minimal system is made once a day and kept as a tarball ($VEXT_CI_BASE, default
# /tmp/vext-ci-bookworm-minbase.tar); the packages the command installs are always today's.
# The command may run for $VEXT_CI_TIMEOUT (default 80m), within CI's 90 minutes.
set -u
[ "$(id -u)" -eq 0 ] || exec sudo --preserve-env=VEXT_CI_BASE,VEXT_CI_LOG,VEXT_CI_TIMEOUT "$0" "$@"

cmd=${1:-./test.sh}
src=$(cd "$(dirname "$0")/.." && pwd)
base=${VEXT_CI_BASE:-/tmp/vext-ci-bookworm-minbase.tar}
log=${VEXT_CI_LOG:-/tmp/vext-ci.log}
limit=${VEXT_CI_TIMEOUT:-80m}

command -v debootstrap >/dev/null ||
    { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null; } ||
    { echo "cannot install debootstrap"; exit 3; }

# The host's mirrors, if it names them: a local mirror or proxy is faster than the public one.
sources=/etc/apt/sources.list.d/debian.sources
mirror=$(awk '/^URIs:/ && !/security/ {print $2; exit}' "$sources" 2>/dev/null)
security=$(awk '/^URIs:/ && /security/ {print $2; exit}' "$sources" 2>/dev/null)
mirror=${mirror:-http://deb.debian.org/debian}
security=${security:-http://deb.debian.org/debian-security}

root=$(mktemp -d /tmp/vext-ci-root.XXXXXX) || exit 3

mounted() { grep -q " $root/" /proc/self/mounts; }
cleanup() {
    # Whatever the command left running inside (a virtual display) holds the mounts.
    local p
    for p in /proc/[0-9]*; do
        [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -9 "${p#/proc/}" 2>/dev/null
    done
    local m
    for m in dev sys proc; do
        umount -R "$root/$m" 2>/dev/null || umount -R -l "$root/$m" 2>/dev/null
    done
    # Never delete through a mount that is still there: it would reach the host's /dev and /sys.
    if mounted; then
        echo "mounts left under $root; not removed"
    else
        rm -rf --one-file-system "$root"
    fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if [ ! -f "$base" ] || [ -n "$(find "$base" -mmin +1440)" ]; then
    echo "making a minimal Debian 12 (debootstrap, a few minutes)"
    fresh=$(mktemp -d /tmp/vext-ci-debootstrap.XXXXXX) && chmod 755 "$fresh" || exit 3
    if ! debootstrap --variant=minbase bookworm "$fresh" "$mirror" >"$log" 2>&1; then
        tail -n 20 "$log"; echo "debootstrap failed (log $log)"; rm -rf --one-file-system "$fresh"; exit 3
    fi
    made=$(mktemp "$base.XXXXXX") && tar -C "$fresh" -cf "$made" . && mv "$made" "$base"
    status=$?
    rm -rf --one-file-system "$fresh"
    [ "$status" -eq 0 ] || exit 3
fi
tar -C "$root" -xf "$base" || exit 3
# mktemp makes its folders 0700, and tar gives the root the mode it was packed with: a Debian machine's
# root is 0755, and tests that run as another user must be able to walk it.
chmod 755 "$root" || exit 3

# The sources of Debian's own bookworm image: the release, its updates and security fixes.
rm -f "$root/etc/apt/sources.list"
cat >"$root/etc/apt/sources.list.d/debian.sources" <<EOF
Types: deb
URIs: $mirror
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: $security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null
mkdir -p "$root/root/vext"
git -C "$src" archive HEAD | tar -C "$root/root/vext" -x || { echo "cannot copy the committed tree"; exit 3; }

# Each mount is a one-way copy of the host's: unmounting here never unmounts anything of the host.
mount -t proc proc "$root/proc" || exit 3
for m in sys dev; do
    mount --rbind "/$m" "$root/$m" && mount --make-rslave "$root/$m" || exit 3
done

echo "testing $(git -C "$src" rev-parse --short HEAD) on a fresh Debian 12: $cmd"
SECONDS=0
# In the background, so that a signal to this script is handled at once (the clean-up then ends
# whatever runs inside) rather than after the command.
{
    timeout --kill-after=60 "$limit" chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 CI=true \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        bash -c "cd /root/vext && $cmd" 2>&1 | tee "$log"
    exit "${PIPESTATUS[0]}"
} &
wait $!
rc=$?
[ "$rc" -eq 124 ] && echo "stopped after $limit"
echo "---- summary (full log $log)"
grep -E 'tests passed|tests failed|The following tests FAILED|\*\*\*Failed|\*\*\*Timeout|\(Failed\)|\(Timeout\)' "$log"
echo "fresh Debian 12: '$cmd' exited $rc after ${SECONDS}s"
exit "$rc"
