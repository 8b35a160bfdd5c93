# shellcheck shell=bash
# How the container scripts call podman (sourced). Two settings make it work where the machine's own
# defaults do not, and cost nothing elsewhere:
# - open-file and process limits given, no higher than this shell's: podman's defaults raise them
#   (1048576 open files), which needs CAP_SYS_RESOURCE, and a container manager's sandbox may not grant
#   it (and there even the shell's own process limit was refused: 4096 is plenty for vext-cli's threads);
# - on a machine with cgroup v1 that also mounts a cgroup v2 holding a controller ("hybrid", as
#   /sys/fs/cgroup/unified with hugetlb), crun refuses to start anything ("cgroups in hybrid mode not
#   supported"): runc is used there, and the containers still get their cgroup v1 limits.
# Builds and runs need no network (--network=none): the package is copied in, nothing is fetched.

vext_podman() {
    local global=()
    if [ -n "$(cat /sys/fs/cgroup/unified/cgroup.controllers 2>/dev/null)" ]; then
        global+=(--runtime runc)
    fi
    podman "${global[@]}" "$@"
}

# The options for `build` and `run`.
vext_podman_limits() {
    local files processes
    files=$(ulimit -Hn); processes=$(ulimit -Hu)
    [ "$processes" = unlimited ] && processes=4096
    [ "$processes" -gt 4096 ] && processes=4096
    echo --network=none --ulimit "nofile=$files:$files" --ulimit "nproc=$processes:$processes"
}
