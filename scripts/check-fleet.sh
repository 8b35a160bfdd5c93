#!/usr/bin/env bash
# Runs the fleet recipes of fleet/ as they stand on a pristine Debian 12 (a minimal debootstrap chroot,
# scripts/fresh-debian.sh), each with one node that fails, and checks that the failed node leaves no
# result file while the others' are summarised, with the documented exit statuses:
# - the Ansible playbook, against three inventory hosts that are this machine (local connection), run
#   one at a time; it installs the built vext-cli package itself. The third host's scratch folder is
#   missing, so its vext-cli cannot write its result;
# - the Slurm batch script, on a one-node Slurm started here (munged, slurmctld, slurmd; stopped again by
#   their process ids), with three tasks standing in for three nodes; one task's vext-cli is killed
#   mid-run, as by a node that goes down;
# - the Kubernetes manifests, against the API's models (python3-kubernetes): no cluster is at hand.
# Run as root; a few minutes, most of them the benchmark runs.
#
# Usage: scripts/check-fleet.sh [vext-cli_VERSION_amd64.deb]   (default: built by scripts/package.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/fresh-debian.sh
ensure_packages debootstrap
deb=${1:-$(scripts/package.sh | grep '/vext-cli_.*\.deb$')}

root=$(mktemp -d /tmp/vext-fleet-root.XXXXXX)
cleanup() {
    # The daemons are stopped by the check itself; whatever is left after a failure is ended here,
    # each by its process id: only processes that run inside this chroot.
    local p
    for p in /proc/[0-9]*; do
        [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -9 "${p#/proc/}" 2>/dev/null
    done
    fresh_debian_remove "$root"
}
trap cleanup EXIT
fresh_debian_root "$root"
mkdir -p "$root/root/check"
cp -r fleet scripts/check-k8s-manifests.py "$root/root/check/"
cp "$deb" "$root/root/check/"
# No package's installation starts its daemon: the check starts its own.
printf '#!/bin/sh\nexit 101\n' > "$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"

# vext-cli writes a JSON result with -o only from the version that has it; an older one refuses the
# name ('... ends in ".json"') before it measures anything. For such a build the check puts a stand-in
# in front of it that does the same with a temporary file and a rename, and says so.
probe=$(mktemp -d /tmp/vext-fleet-probe.XXXXXX)
dpkg-deb -x "$deb" "$probe"
refusal=$(timeout 30 "$probe/usr/bin/vext-cli" bench cpu --json -o /nonexistent/probe.json 2>&1 || true)
if grep -q 'ends in ".json"' <<<"$refusal"; then
    standin=yes
else
    standin=no
fi
rm -rf "$probe"

chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 STANDIN=$standin \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin bash -euo pipefail -c '
cd /root/check
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends ansible python3-apt slurmctld slurmd munge \
    python3-kubernetes python3-yaml >/dev/null
echo "== installed: $(dpkg-query -W -f="\${Package} \${Version}, " ansible slurmctld slurmd munge python3-kubernetes)"
flagged=1 skipped=3            # compare --summary: outliers flagged, files skipped (vext-cli(1))
fail=0
check() { if eval "$1"; then echo "ok: $2"; else echo "FAILED: $2"; fail=1; fi; }

if [ "$STANDIN" = yes ]; then
    echo "== this vext-cli cannot write JSON with -o: a stand-in in /usr/local/bin does (rerun with a newer build)"
    cat > /usr/local/bin/vext-cli <<"EOF"
#!/bin/bash
# Stand-in for vext-cli --json -o FILE.json: the result goes to a temporary file, renamed on success.
args=() out=""
while [ $# -gt 0 ]; do
    case $1 in -o|--output) out=$2; shift 2 ;; *) args+=("$1"); shift ;; esac
done
[[ $out == *.json ]] || exec /usr/bin/vext-cli "${args[@]}" ${out:+-o "$out"}
tmp=$(mktemp "$(dirname "$out")/.vext-result.XXXXXX") || exit 2
if /usr/bin/vext-cli "${args[@]}" > "$tmp"; then mv "$tmp" "$out"; else status=$?; rm -f "$tmp"; exit $status; fi
EOF
    chmod +x /usr/local/bin/vext-cli
fi

echo "== Ansible: fleet/ansible/vext-bench.yml, node-3 with its scratch folder missing"
mkdir -p /tmp/vext-node-1 /tmp/vext-node-2 ansible-run
cat > ansible-run/hosts <<EOF
[fleet]
node-1 vext_remote_dir=/tmp/vext-node-1
node-2 vext_remote_dir=/tmp/vext-node-2
node-3 vext_remote_dir=/tmp/vext-node-3
[fleet:vars]
ansible_connection=local
ansible_python_interpreter=/usr/bin/python3
EOF
deb=$(ls /root/check/vext-cli_*.deb)
set +e
(cd ansible-run && ANSIBLE_NOCOLOR=1 ansible-playbook -i hosts --forks 1 -e vext_deb="$deb" \
    ../fleet/ansible/vext-bench.yml > playbook.log 2>&1)
status=$?
set -e
grep -A3 "^fatal" ansible-run/playbook.log || true
sed -n "/PLAY RECAP/,\$p" ansible-run/playbook.log
grep -A12 "TASK \[Show the summary\]" ansible-run/playbook.log || true
check "[ $status = 2 ]" "ansible-playbook exited $status: 2, a host failed"
check "grep -q \"node-3.*failed=1\" ansible-run/playbook.log" "node-3 failed its run"
check "[ -s ansible-run/results/node-1.json ] && [ -s ansible-run/results/node-2.json ]" "node-1 and node-2 left their results"
check "[ ! -e ansible-run/results/node-3.json ] && [ -z \"\$(find /tmp/vext-node-1 /tmp/vext-node-2 -type f ! -name vext-cpu.json)\" ]" \
    "node-3 left no result, and no run left a temporary file"
check "grep -Eq \"compare --summary exited (0|$flagged)\\b\" ansible-run/playbook.log" "the summary play ran and compare printed a summary"
check "head -n 1 ansible-run/results/summary.txt | grep -qw 2" "the summary covers the 2 results: $(head -n 1 ansible-run/results/summary.txt)"
set +e; vext-cli compare --summary ansible-run/results/*.json >/dev/null; status=$?; set -e
check "[ $status = 0 ] || [ $status = $flagged ]" "compare --summary of the 2 results exited $status"

echo "== Slurm: fleet/slurm/vext-bench.sbatch on one node, three tasks, task 1 killed mid-run"
host=$(hostname)
mkdir -p /etc/slurm /var/lib/slurm/slurmctld /var/lib/slurm/slurmd /var/log/slurm /run/munge
cat > /etc/slurm/slurm.conf <<EOF
ClusterName=vext-check
SlurmctldHost=$host(127.0.0.1)
SlurmUser=root
AuthType=auth/munge
StateSaveLocation=/var/lib/slurm/slurmctld
SlurmdSpoolDir=/var/lib/slurm/slurmd
SlurmctldPidFile=/run/slurmctld.pid
SlurmdPidFile=/run/slurmd.pid
SlurmctldLogFile=/var/log/slurm/slurmctld.log
SlurmdLogFile=/var/log/slurm/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
MpiDefault=none
ReturnToService=2
SlurmdParameters=config_overrides
NodeName=vext-node1 NodeHostname=$host NodeAddr=127.0.0.1 CPUs=4 State=UNKNOWN
PartitionName=check Nodes=vext-node1 Default=YES MaxTime=INFINITE State=UP
EOF
[ -s /etc/munge/munge.key ] || mungekey --create --keyfile=/etc/munge/munge.key
chown -R munge:munge /etc/munge /run/munge /var/lib/munge /var/log/munge
runuser -u munge -- /usr/sbin/munged
munged_pid=$(cat /run/munge/munged.pid)
slurmctld -D > /var/log/slurm/slurmctld.out 2>&1 & slurmctld_pid=$!
slurmd -D -N vext-node1 > /var/log/slurm/slurmd.out 2>&1 & slurmd_pid=$!
stop_daemons() {
    kill "$slurmd_pid" "$slurmctld_pid" "$munged_pid" 2>/dev/null || true
    wait "$slurmd_pid" "$slurmctld_pid" 2>/dev/null || true
    echo "== daemons stopped: slurmd $slurmd_pid, slurmctld $slurmctld_pid, munged $munged_pid"
}
trap stop_daemons EXIT
for i in $(seq 60); do
    sinfo -h -o %t 2>/dev/null | grep -qx idle && break
    sleep 1
done
sinfo
mkdir -p slurm-run
# Task 1 (the second on vext-node1) is ended with SIGKILL once its run has started.
(
    for i in $(seq 120); do
        for p in /proc/[0-9]*; do
            [ "$(readlink "$p/exe" 2>/dev/null)" = /usr/bin/vext-cli ] || continue
            tr "\0" "\n" < "$p/environ" 2>/dev/null | grep -qx SLURM_PROCID=1 || continue
            sleep 2; kill -9 "${p#/proc/}" && echo "== killed task 1 (process ${p#/proc/}) mid-run" >&2
            exit 0
        done
        sleep 0.5
    done
    echo "task 1 never started" >&2
) & killer=$!
set +e
(cd slurm-run && sbatch --wait --quiet --nodes=1 --ntasks-per-node=3 ../fleet/slurm/vext-bench.sbatch)
status=$?
set -e
wait $killer || true
job=$(ls slurm-run/results)
cat slurm-run/vext-bench-*.out
check "[ $status = $skipped ]" "the job exited $status: $skipped, a task left no result"
check "[ \"\$(cd slurm-run/results/$job && echo *.json)\" = \"vext-node1-0.json vext-node1-2.json\" ]" \
    "tasks 0 and 2 left their results, task 1 none: $(cd slurm-run/results/$job && echo *)"
check "head -n 1 slurm-run/results/$job/summary.txt | grep -qw 2" "the summary covers the 2 results: $(head -n 1 slurm-run/results/$job/summary.txt)"
stop_daemons; trap - EXIT

echo "== Kubernetes: fleet/kubernetes/*.yaml against the models of python3-kubernetes"
check "./check-k8s-manifests.py fleet/kubernetes/*.yaml" "the manifests are valid"
exit $fail
'
