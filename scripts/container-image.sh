#!/usr/bin/env bash
# Builds the container image localhost/vext-cli:VERSION from packaging/Containerfile without any
# registry: the base is a minimal Debian 12 made here (debootstrap --variant=minbase bookworm, the
# tarball the check scripts share), imported into podman as localhost/vext-debian:12, and put in place
# of the Containerfile's FROM (podman build --from). The vext-cli package is built first
# (scripts/package.sh) unless one is given. Run as root; prints the image's name.
#
# Usage: scripts/container-image.sh [vext-cli_VERSION_amd64.deb]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/fresh-debian.sh
source scripts/podman.sh
ensure_packages "${CONTAINER_PACKAGES[@]}" >&2

deb=${1:-}
if [ -z "$deb" ]; then
    deb=$(scripts/package.sh | grep '/vext-cli_.*\.deb$')
fi
version=$(dpkg-deb -f "$deb" Version)

base=localhost/vext-debian:12
vext_podman import --quiet --change 'CMD ["/bin/bash"]' "$(fresh_debian_base)" "$base" >/dev/null

context=$(mktemp -d /tmp/vext-container.XXXXXX)
trap 'rm -rf "$context"' EXIT
cp "$deb" packaging/Containerfile "$context/"
image=localhost/vext-cli:$version
# shellcheck disable=SC2046  # the limits are separate options
vext_podman build --quiet --from "$base" $(vext_podman_limits) -f "$context/Containerfile" -t "$image" "$context" >/dev/null
echo "$image"
