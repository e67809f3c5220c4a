#!/usr/bin/env bash
# Starts the program where it cannot reach a window system and checks what it
# says: one line on standard error and exit status 1, suggesting xvfb-run when
# there is no display at all, and naming Qt's own reason otherwise. Then what
# it answers without any display, as GNU programs do: --help and --version on
# standard output with status 0; and a word that neither it nor Qt takes,
# refused with status 1.
# Usage: startup_test.sh PROGRAM VERSION
set -u
program=$1
version=$2
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
# Qt's own options are still Qt's: -platform names the one that fails.
expect_one_line "Qt's -platform" "^Tessary: the window system could not be started: .*nosuchplatform" \
  env -u QT_QPA_PLATFORM DISPLAY=:0 "$program" -platform nosuchplatform

no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
expect_answer() {
  local why=$1 first_line=$2
  shift 2
  local out err code
  out=$("$@" 2>"$scratch_err")
  code=$?
  err=$(cat "$scratch_err")
  if [ "$code" -ne 0 ] || [ -n "$err" ] || [ "$(head -n 1 <<<"$out")" != "$first_line" ]; then
    echo "FAILED ($why): status $code, standard error '$err', first line '$(head -n 1 <<<"$out")', not '$first_line'"
    status=1
  else
    echo "ok ($why): $first_line"
  fi
}
scratch_err=$(mktemp)
trap 'rm -f "$scratch_err"' EXIT
expect_answer "--version" "Tessary $version" "${no_display[@]}" "$program" --version
expect_answer "--help" "Usage: Tessary [QT-OPTION]..." "${no_display[@]}" "$program" --help
expect_answer "--version among Qt's options" "Tessary $version" "${no_display[@]}" "$program" -style fusion --version

refused=$(env QT_QPA_PLATFORM=offscreen "$program" --frobnicate 2>&1 >/dev/null)
code=$?
if [ "$code" -ne 1 ] || ! grep -qx "Tessary: unrecognized argument '--frobnicate'" <<<"$refused"; then
  echo "FAILED (an unknown word): status $code, said: $refused"
  status=1
else
  echo "ok (an unknown word): refused"
fi
exit "$status"
