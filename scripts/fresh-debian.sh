# shellcheck shell=bash
# A pristine Debian 12 for the check scripts (sourced): a minimal root file system made by
# `debootstrap --variant=minbase bookworm`, kept as the tarball /tmp/vext-fresh-base.tar (made when
# missing), unpacked into a folder of its own for each check.

VEXT_FRESH_BASE=${VEXT_FRESH_BASE:-/tmp/vext-fresh-base.tar}

# Makes the tarball when it is missing; prints its path.
fresh_debian_base() {
    if [ ! -f "$VEXT_FRESH_BASE" ]; then
        local mirror made fresh
        mirror=$(awk '/^URIs:/ && !/security/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
        fresh=$(mktemp -d /tmp/vext-debootstrap.XXXXXX)
        debootstrap --variant=minbase bookworm "$fresh" $mirror >/dev/null
        made=$(mktemp "$VEXT_FRESH_BASE.XXXXXX")
        tar -C "$fresh" -cf "$made" . && mv "$made" "$VEXT_FRESH_BASE"
        rm -rf --one-file-system "$fresh"
    fi
    echo "$VEXT_FRESH_BASE"
}

# Unpacks the base into the empty folder $1 and mounts /proc, /sys and /dev there (one-way copies of the
# host's), ready for chroot with the host's name servers.
fresh_debian_root() {
    local root=$1 m
    tar -C "$root" -xf "$(fresh_debian_base)"
    # A Debian machine's root is 0755 (mktemp makes 0700): daemons that run as their own user walk it.
    chmod 755 "$root"
    cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
    mount -t proc proc "$root/proc"
    for m in sys dev; do
        mount --rbind "/$m" "$root/$m" && mount --make-rslave "$root/$m"
    done
}

# Undoes fresh_debian_root; never deletes through a mount that is still there.
fresh_debian_remove() {
    local root=$1 m
    for m in dev sys proc; do
        umount -R "$root/$m" 2>/dev/null || umount -R -l "$root/$m" 2>/dev/null || true
    done
    if grep -q " $root/" /proc/self/mounts; then
        echo "mounts left under $root; not removed" >&2
    else
        rm -rf --one-file-system "$root"
    fi
}
