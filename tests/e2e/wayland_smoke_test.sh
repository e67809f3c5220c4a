#!/usr/bin/env bash
# Starts the program under weston's headless compositor with no X display at
# all, lets it tick at 1 ms for a few seconds, then ends it as a session would.
# Exits 77 (skipped) with a reason where the compositor cannot start.
set -u
program=$1
seconds=3

skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*"; [ -f "$runtime/program.log" ] && cat "$runtime/program.log"; exit 1; }

command -v weston >/dev/null || skip "weston is not installed"
runtime=$(mktemp -d)
chmod 700 "$runtime"
weston_pid=""
program_pid=""
trap 'kill $program_pid $weston_pid 2>/dev/null; wait 2>/dev/null; rm -rf "$runtime"' EXIT

XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=tessary-smoke --idle-time=0 \
  >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
  [ -S "$runtime/tessary-smoke" ] && break
  kill -0 "$weston_pid" 2>/dev/null || break
  sleep 0.1
done
[ -S "$runtime/tessary-smoke" ] || skip "weston's headless compositor did not start: $(tail -n 3 "$runtime/weston.log")"

# With no DISPLAY the program cannot fall back to X11: staying up means Wayland.
# Under the sanitizers, allocations are unwound in full, so that a leak inside
# the graphics driver, which is unloaded before the report, still names its
# caller (tests/lsan.supp).
env -u DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=tessary-smoke \
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0" \
  "$program" >"$runtime/program.log" 2>&1 &
program_pid=$!
sleep "$seconds"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended by itself within $seconds s"
kill -TERM "$program_pid"
wait "$program_pid"
status=$?
program_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status after SIGTERM"
echo "ok: $seconds s of 1 ms ticks on Wayland, ended with status 0"
