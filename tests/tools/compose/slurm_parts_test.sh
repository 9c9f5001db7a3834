#!/usr/bin/env bash
# slurm_parts_test.sh BINARY WORK_FOLDER
# The parts of a search as a Slurm job array: a one-node cluster of this machine (munged,
# slurmctld and slurmd with a configuration, key and sockets of the test's own, on ports of
# their own) runs `sbatch --array=1-4`, one `--part K/4` per task, and the parts' results
# together must be the unsplit search's. Where the cluster cannot start (no Slurm or munge,
# not root, daemons that fail), the test is skipped (exit 77) and says why.
set -uo pipefail
bin=$1 work=$2
source "$(cd "$(dirname "$0")" && pwd)/cli_test_common.sh"
skip() {
  echo "SKIP: $*"
  exit 77
}

for tool in munged slurmctld slurmd sbatch sinfo; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (Debian packages slurm-wlm and munge)"
done
[ "$(id -u)" -eq 0 ] || skip "slurmd must run as root to start jobs"

pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
}
trap cleanup EXIT

# A munge key and daemon of the test's own.
mkdir -p munge slurm/state slurm/spool
chmod 0700 munge
dd if=/dev/urandom of=munge/key bs=1024 count=1 status=none && chmod 0400 munge/key
munged --foreground --force --key-file="$work/munge/key" --socket="$work/munge/sock" \
  --pid-file="$work/munge/pid" --log-file="$work/munge/log" --seed-file="$work/munge/seed" >munge/out 2>&1 &
pids+=($!)

host=$(hostname -s)
port=$((20000 + $$ % 20000))
cat >slurm/slurm.conf <<CONF
ClusterName=gwtest
SlurmctldHost=$host
SlurmctldPort=$port
SlurmdPort=$((port + 1))
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
AuthInfo=socket=$work/munge/sock
CredType=cred/munge
StateSaveLocation=$work/slurm/state
SlurmdSpoolDir=$work/slurm/spool
SlurmctldPidFile=$work/slurm/slurmctld.pid
SlurmdPidFile=$work/slurm/slurmd.pid
SlurmctldLogFile=$work/slurm/slurmctld.log
SlurmdLogFile=$work/slurm/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
JobCompType=jobcomp/none
SchedulerType=sched/builtin
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
MpiDefault=none
ReturnToService=2
NodeName=$host CPUs=$(nproc) State=UNKNOWN
PartitionName=test Nodes=$host Default=YES MaxTime=INFINITE State=UP
CONF
export SLURM_CONF=$work/slurm/slurm.conf

for _ in $(seq 50); do [ -S munge/sock ] && break; sleep 0.1; done
[ -S munge/sock ] || skip "munged did not start: $(tail -n 3 munge/log 2>/dev/null)"
slurmctld -D -i -f "$SLURM_CONF" >slurm/slurmctld.out 2>&1 &
pids+=($!)
slurmd -D -f "$SLURM_CONF" >slurm/slurmd.out 2>&1 &
pids+=($!)
state=""
for _ in $(seq 100); do
  state=$(sinfo -h -n "$host" -o %T 2>/dev/null | head -n 1)
  [ "$state" = idle ] && break
  sleep 0.2
done
[ "$state" = idle ] ||
  skip "the one-node cluster did not come up (node state \"$state\"): $(tail -n 2 slurm/slurmctld.log slurm/slurmd.log 2>/dev/null | tr '\n' ' ')"

whole_search

expect 0 sbatch --wait --array=1-4 --chdir="$work" --output="$work/task-%a.out" --time=2 \
  --wrap "'$bin' --quiet --part \$SLURM_ARRAY_TASK_ID/4 --words small.words --results array open3.C_WM"
: >parts.txt
for k in 1 2 3 4; do hashes array "open3-${k}of4-" >>parts.txt; done
cmp -s whole.txt parts.txt || fail "the job array's 4 parts did not give the unsplit results: $(cat task-*.out)"
finish_scenario slurm_array
