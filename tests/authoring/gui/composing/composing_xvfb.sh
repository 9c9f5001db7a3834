# What the composing page's checks under Xvfb share, sourced once the script has read its
# arguments into $words (the English word list) and $work. Then xvfb_common.sh's helpers are at
# hand, and shot keeps every screenshot.
source "$(dirname "${BASH_SOURCE[0]}")/../../../xvfb_common.sh"

# composing_xvfb_start SIZE SECONDS "$@": skips without the word list, runs the script again in
# its own X server, and makes WORK/prog a program folder with the word list and no results yet.
composing_xvfb_start() {
  if [ ! -s "$words" ]; then
    echo "no English word list ($words): skipped"
    exit 77
  fi
  xvfb_rerun "$@"
  xvfb_home "$work"
  mkdir -p "$work/prog/Make/Results"
  cp "$words" "$work/prog/Make/EN.words"
}

shot() { import -window root "$work/$1.png"; }
