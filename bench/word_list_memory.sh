#!/usr/bin/env bash
# Peak memory of gridwright-compose with a large --words list, as a multiple of the list's size.
#
#   bench/word_list_memory.sh [-b BINARY] [-m MEGABYTES] [WORDS]
#
# Without WORDS, a list of about MEGABYTES (default 100) is made: bench/make_word_list.py
# writes a tenth of it from bench/grids' word list's letter model, and each of its words
# is taken with nine two-letter endings, and the 26 letters follow. The composer then fills
# two rows of nine letters apart (each column cell a one-letter slot) once (first fill) and
# searches them for 20 results; each run prints its peak resident memory and the ratio to
# the list's size.
set -euo pipefail
binary=build/bin/gridwright-compose
megabytes=100
while getopts "b:m:" opt; do
  case $opt in
    b) binary=$OPTARG ;;
    m) megabytes=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
words=${1:-}
if [ -z "$words" ]; then
  source_words=${SOURCE_WORDS:-/usr/share/dict/american-english}
  LC_ALL=C tr a-z A-Z <"$source_words" | LC_ALL=C grep -E '^[A-Z]{3,15}$' | LC_ALL=C sort -u >"$work/source.txt"
  python3 "$here/make_word_list.py" "$work/source.txt" "$work/base.txt" "$(awk -v m="$megabytes" 'BEGIN { print m / 10 }')"
  awk 'BEGIN { n = split("AL ED ER ES IC IN LY ON US", s, " ") }
       { sub(/\r$/, ""); for (i = 1; i <= n; i++) printf "%s%s\r\n", $0, s[i] }
       END { for (i = 65; i <= 90; i++) printf "%c\r\n", i }' "$work/base.txt" >"$work/words.txt"
  words=$work/words.txt
fi
size=$(stat -c %s "$words")
printf '.........\n#########\n.........\n' >"$work/rows.txt"
"$binary" --quiet --layout "$work/rows.txt" --language en --save "$work/rows.C_WM" >/dev/null 2>&1 || true
run() {  # run NAME OPTIONS...
  local name=$1
  shift
  rm -rf "$work/Results" "$work/rows.TMP"
  /usr/bin/time -f "%M %e" -o "$work/time" "$binary" --quiet --words "$words" --results "$work/Results" "$@" \
    "$work/rows.C_WM" >/dev/null 2>&1 || true
  read -r kb secs < <(tail -n 1 "$work/time")
  awk -v n="$name" -v kb="$kb" -v s="$secs" -v size="$size" -v r="$(ls "$work/Results" 2>/dev/null | wc -l)" \
    'BEGIN { printf "%-10s list %.1f MB  peak %.1f MB  %.2f x  %s s  %d results\n", n, size / 1e6, kb * 1024 / 1e6, kb * 1024 / size, s, r }'
}
run first-fill --first-fill --seed 1 --lanes 2
run search --max-results 20
