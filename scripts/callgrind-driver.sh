# Sourced by the count-*-instructions scripts, from the repository's top folder, with the script's
# arguments: checks that the core library is built and valgrind is there, makes the folder $work
# (removed on exit) for the driver the script compiles to $work/driver, and defines ir.
build=${1:-build/test}
lib="$build/libvext_core.a"
[[ -f $lib ]] || { echo "build $build first (cmake --build $build --target vext_core)" >&2; exit 2; }
command -v valgrind >/dev/null || { echo "valgrind is needed" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

ir() {  # total instructions of one run of the driver with these arguments
    valgrind --tool=callgrind --callgrind-out-file="$work/out" "$work/driver" "$@" 2>&1 |
        sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}
