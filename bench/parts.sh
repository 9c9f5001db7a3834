#!/usr/bin/env bash
# Wall time of the exhaustive search of a layout, unsplit and as N parts run by
# scripts/compose-parts (GNU parallel, JOBS at once), and whether the parts wrote exactly the
# unsplit search's result files in its order.
#   bench/parts.sh [-b BINARY] [-j JOBS] [-m MAX_RESULTS] LAYOUT.C_WM WORDS N...
# With -m the unsplit run stops after MAX_RESULTS results and each of N parts after its share
# (MAX_RESULTS / N, rounded up): the parts then cover a different set than the unsplit run and
# only the times of about as many results are compared.
set -uo pipefail
cd "$(dirname "$0")/.."
binary=build/bin/gridwright-compose
jobs=$(nproc)
max=""
while getopts "b:j:m:" opt; do
  case $opt in
    b) binary=$OPTARG ;;
    j) jobs=$OPTARG ;;
    m) max=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ $# -ge 3 ] || { echo "usage: $0 [-b BINARY] [-j JOBS] [-m MAX] LAYOUT.C_WM WORDS N..." >&2; exit 2; }
layout=$1 words=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
name=$(basename "$layout" .C_WM)
cp "$layout" "$work/"
hashes() {  # hashes FOLDER PREFIX: the result files' checksums in result order
  local n=1
  while [ -e "$1/$2$n.C_W" ]; do echo "$1/$2$n.C_W"; n=$((n + 1)); done |
    xargs -r -d '\n' sha256sum | cut -d' ' -f1
}
seconds() { local t0=$(date +%s.%N); "$@" >/dev/null 2>&1; awk -v a="$t0" -v b="$(date +%s.%N)" 'BEGIN { print b - a }'; }

whole=$(seconds "$binary" --quiet ${max:+--max-results $max} --words "$words" --results "$work/whole" "$work/$name.C_WM")
hashes "$work/whole" "$name" >"$work/whole.txt"
printf '%-12s unsplit  %8.2f s  %d results\n' "$name" "$whole" "$(wc -l <"$work/whole.txt")"
for n in "$@"; do
  share=${max:+--max-results $(((max + n - 1) / n))}
  t=$(JOBS=$jobs seconds scripts/compose-parts "$n" "$binary" --quiet $share --words "$words" \
    --results "$work/p$n" "$work/$name.C_WM")
  : >"$work/p$n.txt"
  for k in $(seq 1 "$n"); do hashes "$work/p$n" "$name-${k}of$n-" >>"$work/p$n.txt"; done
  same=no
  cmp -s "$work/whole.txt" "$work/p$n.txt" && same=yes
  printf '%-12s %2d parts %8.2f s  %d results  x%.2f of unsplit  same as unsplit: %s\n' "$name" "$n" "$t" \
    "$(wc -l <"$work/p$n.txt")" "$(awk -v a="$t" -v b="$whole" 'BEGIN { print a / b }')" "$same"
done
