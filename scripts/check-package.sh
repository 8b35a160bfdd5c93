#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh), has lintian check it, then installs it on a pristine
# Debian 12 (a minimal debootstrap chroot) with apt-get as a user would, runs vext-cli there, removes the
# package and checks that none of its files is left. Run as root. The chroot is made from a tarball of
# `debootstrap --variant=minbase bookworm`: /tmp/vext-fresh-base.tar, made here when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages lintian debootstrap
deb=$(scripts/package.sh | tail -n 1)
echo "== lintian $deb"
lintian --fail-on error "$deb"

base=/tmp/vext-fresh-base.tar
root=$(mktemp -d /tmp/vext-package-root.XXXXXX)
cleanup() {
    for m in dev proc sys; do umount -l "$root/$m" 2>/dev/null || true; done
    rm -rf --one-file-system "$root"
}
trap cleanup EXIT
if [ ! -f "$base" ]; then
    mirror=$(awk '/^URIs:/{print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
    debootstrap --variant=minbase bookworm "$root" $mirror >/dev/null
    tar -C "$root" -cf "$base" .
else
    tar -C "$root" -xf "$base"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
cp "$deb" "$root/tmp/"
mount -t proc proc "$root/proc"; mount --rbind /sys "$root/sys"; mount --rbind /dev "$root/dev"

# In the chroot: install, run, keep the list of the package's files, remove, look for what is left.
chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 bash -euo pipefail -c '
    cd /tmp
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    before=$(dpkg-query -W -f="\${Package}\n" | sort)
    apt-get install -y -qq ./vext_*_amd64.deb >/dev/null
    added=$(comm -13 <(echo "$before") <(dpkg-query -W -f="\${Package}\n" | sort))
    echo "== apt-get install added $(echo "$added" | wc -l) packages: $(echo $added)"
    echo "== vext-cli report"; vext-cli report
    echo "== vext-cli processor"; vext-cli processor
    dpkg -L vext > files
    apt-get remove -y -qq vext >/dev/null
    echo "== after apt-get remove vext"
    left=0
    while read -r path; do
        if [ -d "$path" ]; then
            dpkg -S "$path" >/dev/null 2>&1 || { echo "left: $path/"; left=1; }
        elif [ -e "$path" ] || [ -L "$path" ]; then
            echo "left: $path"; left=1
        fi
    done < files
    [ $left = 0 ] && echo "none of the $(wc -l < files) paths of the package is left"
    exit $left
'
