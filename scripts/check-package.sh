#!/usr/bin/env bash
# Builds the two Debian packages (scripts/package.sh), has lintian check them, then on a pristine
# Debian 12 (a minimal debootstrap chroot, scripts/fresh-debian.sh) installs them with apt-get as a user
# would: vext-cli alone first, which must bring no graphical library (libwx*, libgtk*), then vext. Runs
# vext-cli there, removes both and checks that none of their files is left. Run as root.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/fresh-debian.sh
ensure_packages lintian debootstrap
debs=$(scripts/package.sh | tail -n 2)
echo "== lintian" $debs
lintian --fail-on error $debs

root=$(mktemp -d /tmp/vext-package-root.XXXXXX)
trap 'fresh_debian_remove "$root"' EXIT
fresh_debian_root "$root"
cp $debs "$root/tmp/"

# In the chroot: install each package, run, keep the list of its files, remove, look for what is left.
chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 bash -euo pipefail -c '
    cd /tmp
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    installed() { dpkg-query -W -f="\${db:Status-Abbrev} \${Package}\n" | awk "/^ii/ {print \$2}" | sort; }
    install() {  # a package file; prints what apt-get added
        local before added
        before=$(installed)
        apt-get install -y -qq "./$1" >/dev/null
        added=$(comm -13 <(echo "$before") <(installed))
        echo "== apt-get install $1 added $(echo "$added" | wc -l) packages: $(echo $added)" >&2
        echo "$added"
    }
    gui=$(install vext-cli_*_amd64.deb | grep -E "^(libwx|libgtk)" || true)
    [ -z "$gui" ] || { echo "vext-cli brought graphical libraries: $(echo $gui)"; exit 1; }
    echo "== vext-cli report"; vext-cli report
    echo "== vext-cli processor"; vext-cli processor
    install vext_*_amd64.deb >/dev/null
    dpkg -L vext-cli vext > files
    apt-get remove -y -qq vext >/dev/null
    [ -x /usr/bin/vext-cli ] || { echo "removing vext took vext-cli with it"; exit 1; }
    apt-get remove -y -qq vext-cli >/dev/null
    echo "== after apt-get remove vext, then vext-cli"
    left=0
    while read -r path; do
        if [ -d "$path" ]; then
            dpkg -S "$path" >/dev/null 2>&1 || { echo "left: $path/"; left=1; }
        elif [ -e "$path" ] || [ -L "$path" ]; then
            echo "left: $path"; left=1
        fi
    done < files
    [ $left = 0 ] && echo "none of the $(wc -l < files) paths of the two packages is left"
    exit $left
'
