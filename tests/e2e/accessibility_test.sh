#!/usr/bin/env bash
# Runs accessibility_test.py against the program in a desktop of its own: a
# private X display (Xvfb), a real window manager (openbox), a private D-Bus
# session and the AT-SPI bus a screen reader talks to. Exits 77 (skipped) with
# the reason where any of these cannot start.
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)

skip() { echo "SKIPPED: $*"; exit 77; }
for tool in Xvfb openbox dbus-launch xdotool scrot xwininfo; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"

scratch=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  [ -n "${DBUS_SESSION_BUS_PID:-}" ] && kill "$DBUS_SESSION_BUS_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

exec 3<> "$scratch/displayfd" 2>/dev/null || true
# -noreset: the AT-SPI launcher's brief connection would otherwise be the last
# to close and reset the server, refusing whoever connects next (openbox).
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >"$scratch/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  number=$(head -n 1 "$scratch/displayfd" 2>/dev/null)
  [ -n "$number" ] && break
  sleep 0.1
done
[ -n "${number:-}" ] || skip "Xvfb did not start: $(tail -n 3 "$scratch/xvfb.log")"
export DISPLAY=":$number"

eval "$(dbus-launch --sh-syntax 2>"$scratch/dbus.log")" || skip "no D-Bus session bus: $(tail -n 3 "$scratch/dbus.log")"
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || skip "no D-Bus session bus: $(tail -n 3 "$scratch/dbus.log")"
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$scratch/atspi.log" 2>&1 &
pids+=($!)
openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
  sleep 0.1
done
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 \
  || skip "the AT-SPI bus did not start: $(tail -n 3 "$scratch/atspi.log")"
# The screen-reader switch a desktop turns on when one runs.
dbus-send --session --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
  string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null 2>&1

env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY TESSARY_SCRATCH="$scratch" /usr/bin/python3 "$here/accessibility_test.py" "$program"
