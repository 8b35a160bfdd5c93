# Installs the Debian packages named in the arguments that are missing. Quiet and quick when all are there.
# Sourced by run.sh, test.sh and the scripts that build or check the packages, the image and the fleet recipes.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null 2>&1 || { echo "Missing packages (${missing[*]}) and no sudo to install them." >&2; return 1; }
        sudo="sudo"
    fi
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Installs what a release build needs and builds it in build/release; the arguments go to cmake.
# Sourced by run.sh and scripts/package.sh, which share the build tree.
build_release() {
    ensure_packages "${BUILD_PACKAGES[@]}"
    cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF "$@" >/dev/null
    cmake --build build/release -j"$(nproc)"
}

# What building the program needs, and what it needs to look right (the "Times" and 8-point sans faces).
# libgtk-3-dev: the names a screen reader reads for the windows wxWidgets draws itself go through GTK.
BUILD_PACKAGES=(build-essential cmake pkg-config libwxgtk3.2-dev libgtk-3-dev nlohmann-json3-dev libcli11-dev fonts-liberation fonts-urw-base35)
# What a packaging build (-DVEXT_PACKAGING=ON) needs besides: help2man writes vext-cli's manual page and
# rsvg-convert renders the icons.
PACKAGING_PACKAGES=(help2man librsvg2-bin)
# What the container image's scripts need (scripts/container-image.sh, scripts/check-container.sh; not
# ./test.sh): podman, runc where crun cannot run (scripts/podman.sh says when), debootstrap for the base.
CONTAINER_PACKAGES=(podman runc debootstrap)
# What the tests need besides: GoogleTest, a virtual display, clang for the sanitizer and fuzzing build;
# the checkers of the desktop entry, the AppStream metadata, the manual pages and the Debian package, and
# bash-completion for the completion test, promtool (of prometheus) for the check of --openmetrics; a
# session bus, the accessibility bus and its Python client for reading the pages as a screen reader does.
TEST_PACKAGES=(libgtest-dev googletest xvfb xauth xdotool clang libclang-rt-14-dev
    desktop-file-utils appstream man-db lintian bash-completion prometheus
    dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0)
