# Sourced by the count-*-instructions scripts, from the repository's top folder, with the script's
# arguments: checks that the benchmark libraries are built and valgrind is there, makes the folder $work
# (removed on exit) for the driver the script writes to $work/driver.cpp, and defines build_driver and ir.
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

# Compiles $work/driver.cpp at the library's language level and optimisation, with debug lines for the
# per-line counts, against the libraries the program links, kernels included.
build_driver() {
    g++ -std=c++20 -O2 -g -I. "$work/driver.cpp" "${libs[@]}" -pthread -o "$work/driver"
}
