# Sourced by the count-*-instructions scripts, from the repository's top folder, with the script's
# arguments: checks that the benchmark libraries are built and valgrind is there, makes the folder $work
# (removed on exit) for the driver the script compiles to $work/driver, and defines ir. The driver links
# the libraries the program links, kernels included, in their order ("${libs[@]}").
build=${1:-build/test}
libs=("$build/libvext_bench.a" "$build/libvext_cpu.a" "$build/libvext_platform.a")
for lib in "${libs[@]}"; do
    [[ -f $lib ]] || { echo "build $build first (cmake --build $build --target vext_bench)" >&2; exit 2; }
done
command -v valgrind >/dev/null || { echo "valgrind is needed" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

ir() {  # total instructions of one run of the driver with these arguments
    valgrind --tool=callgrind --callgrind-out-file="$work/out" "$work/driver" "$@" 2>&1 |
        sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}
