# Sourced by the grid benchmarks (first_result_grids.sh, qxw_grids.sh): the check of the
# command line, the work folder and the processor time of a /usr/bin/time record.

# expect_args COUNT USAGE ARG...: exits with 2 and the usage unless there are COUNT arguments.
expect_args() {
  local count=$1 usage=$2
  shift 2
  if [ $# -ne "$count" ]; then
    echo "usage: $usage" >&2
    exit 2
  fi
}

# Sets $work to a new folder, removed when the script exits.
make_work_folder() {
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
}

# cpu_seconds USER SYSTEM: their sum in seconds, to the millisecond, on a line of its own.
cpu_seconds() { awk -v u="$1" -v s="$2" 'BEGIN { printf "%.3f\n", u + s }'; }
