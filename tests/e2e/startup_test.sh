#!/usr/bin/env bash
# Starts the program where it cannot reach a window system and checks what it
# says: one line on standard error and exit status 1, suggesting xvfb-run when
# there is no display at all, and naming Qt's own reason otherwise.
set -u
program=$1
status=0

expect_one_line() {
  local why=$1 pattern=$2
  shift 2
  local err code
  err=$("$@" 2>&1 >/dev/null)
  code=$?
  if [ "$code" -ne 1 ]; then echo "FAILED ($why): exit status $code, not 1"; status=1; fi
  if [ "$(printf '%s\n' "$err" | wc -l)" -ne 1 ]; then echo "FAILED ($why): not one line:"; printf '%s\n' "$err"; status=1; fi
  if ! grep -q -- "$pattern" <<<"$err"; then echo "FAILED ($why): no '$pattern' in: $err"; status=1; fi
  [ "$status" -eq 0 ] && echo "ok ($why): $err"
}

expect_one_line "no display" "^Tessary: no display could be reached.*xvfb-run Tessary$" \
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program"
expect_one_line "an unknown platform" "^Tessary: the window system could not be started: .*nosuchplatform" \
  env QT_QPA_PLATFORM=nosuchplatform DISPLAY=:0 "$program"
exit "$status"
