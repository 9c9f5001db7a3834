# What the checks share that drive the real Gridwright through AT-SPI (gridwright_atspi.py beside
# this file), sourced after tests/xvfb_common.sh.

# atspi_require TOOLS...: skips the check (exit 77) unless dbus-launch, xdotool, import, the
# TOOLS named, python3-pyatspi and the accessibility bus are there; sets py to the python that
# has pyatspi and lets it import gridwright_atspi.
atspi_require() {
  py=python3
  [ -x /usr/bin/python3 ] && py=/usr/bin/python3  # where Debian's python3-pyatspi lives
  local tool
  for tool in dbus-launch xdotool import "$@"; do
    command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 77; }
  done
  "$py" -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi missing: skipped"; exit 77; }
  [ -x /usr/libexec/at-spi-bus-launcher ] || { echo "at-spi2-core missing: skipped"; exit 77; }
  export PYTHONPATH=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)${PYTHONPATH:+:$PYTHONPATH}
  export PYTHONDONTWRITEBYTECODE=1  # no __pycache__ in the source tree
}

# atspi_bus: a session bus and an accessibility bus of the check's own. They end with the
# script, and so does the program started by atspi_start while it runs.
atspi_bus() {
  eval "$(dbus-launch --sh-syntax)"
  pid= bus=
  trap 'for p in $pid $bus $DBUS_SESSION_BUS_PID; do kill "$p" 2>/dev/null || true; done' EXIT
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  bus=$!
  sleep 1
}

# atspi_start LOG PROGRAM ARGS...: starts the program on the accessibility bus; sets pid.
atspi_start() {
  local log=$1
  shift
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@" >>"$log" 2>&1 &
  pid=$!
}
