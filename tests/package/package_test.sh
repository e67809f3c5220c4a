#!/usr/bin/env bash
# Builds the Debian package twice, in two fresh build folders one after the
# other, and checks it as a Debian packager would: what it holds, lintian
# --pedantic with no error or warning, hardening-check with no "no", a manual
# page man reads without a warning, and the same bytes from both builds.
# Control-flow protection is the one line hardening-check cannot answer yes
# to on Debian 12: the C library's start files (crti.o, crtn.o, Scrt1.o) carry
# no IBT marking and _init has no landing pad, so the linker rightly leaves the
# program unmarked. The program's own code is checked for it instead.
set -u
source "$(dirname "$0")/../../scripts/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

# The first in the folder scripts/package uses, where scripts/test packs the
# release files from: afresh, as the second, since a build folder kept from an
# earlier commit keeps that commit's time in what is not built again (the
# icon's resource).
rm -rf "$root/build-package"
first=$(build_package "$root/build-package") || { echo "FAILED: the first build"; exit 1; }
second=$(build_package "$work/second") || { echo "FAILED: the second build"; exit 1; }
deb=$first

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for expected in \
  ./usr/bin/Tessary \
  ./usr/libexec/xscreensaver/tessary \
  ./usr/share/xscreensaver/config/tessary.xml \
  ./usr/share/applications/org.tessary.Tessary.desktop \
  ./usr/share/metainfo/org.tessary.Tessary.metainfo.xml \
  ./usr/share/icons/hicolor/scalable/apps/org.tessary.Tessary.svg \
  ./usr/share/icons/hicolor/48x48/apps/org.tessary.Tessary.png \
  ./usr/share/man/man1/Tessary.1.gz \
  ./usr/share/doc/tessary/changelog.gz \
  ./usr/share/doc/tessary/copyright; do
  grep -qx -- "$expected" <<<"$files" || fail "missing from the package: $expected"
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6; do
  grep -q "$library" <<<"$depends" || fail "no dependency on $library in: $depends"
done
for library in libx11-6 libxext6; do
  grep -q "$library" <<<"$depends" || fail "no dependency on $library in: $depends"
done
# The module is of use only with XScreenSaver, and the program without either.
grep -qw xscreensaver <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "xscreensaver is not recommended"
grep -qw xscreensaver <<<"$depends" && fail "xscreensaver is a dependency, not a recommendation"
[ "$(dpkg-deb -f "$deb" Package) $(dpkg-deb -f "$deb" Version)" = "tessary $(tessary_version)" ] || fail "wrong name or version"

echo "== lintian --pedantic"
lintian_out=$(lintian --pedantic --tag-display-limit 0 "$deb" 2>&1 | grep -v '^running with root privileges')
[ -n "$lintian_out" ] && echo "$lintian_out"
grep -q -E '^[EW]: ' <<<"$lintian_out" && fail "lintian reports errors or warnings"

echo "== hardening-check"
dpkg-deb -x "$deb" "$work/root"
hardening=$(hardening-check "$work/root/usr/bin/Tessary" "$work/root/usr/libexec/xscreensaver/tessary" 2>&1)
echo "$hardening"
grep -v 'Control flow integrity' <<<"$hardening" | grep -q -E ': no' && fail "hardening-check answers no"
# What the checker cannot see: every file of ours compiled with stack clash
# and control-flow protection, and landing pads in the code that came of it.
commands="$root/build-package/compile_commands.json"
for flag in -fstack-clash-protection -fcf-protection -fstack-protector-strong -D_FORTIFY_SOURCE=2; do
  unflagged=$(grep '"command"' "$commands" | grep -v -c -- "$flag")
  [ "$unflagged" -eq 0 ] || fail "$unflagged files compiled without $flag"
done
objdump -d --no-show-raw-insn --disassemble=main "$root/build-package/Tessary" | grep -q endbr64 \
  || fail "main has no landing pad: no -fcf-protection in the code"

echo "== the manual page"
page="$work/root/usr/share/man/man1/Tessary.1.gz"
lexgrog "$page" || fail "lexgrog finds no NAME line"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man warns: $warnings"

echo "== the XScreenSaver module, as the package has it, started and stopped by the daemon"
/usr/bin/python3 -c 'import sys, xml.etree.ElementTree as t; r = t.parse(sys.argv[1]).getroot(); sys.exit(not (
  r.get("name") == "tessary" and r.find("command").get("arg") == "--root" and r.find("number").get("arg") == "--change-every %"))' \
  "$work/root/usr/share/xscreensaver/config/tessary.xml" || fail "the module's settings file is not what XScreenSaver reads"
/usr/bin/python3 "$(dirname "$0")/../hosts/x11/x11_saver_test.py" "$work/root/usr/libexec/xscreensaver/tessary" \
  X11SaverTest.test_the_daemon_runs_it_when_activated_and_ends_it_when_deactivated || fail "XScreenSaver did not run the module"

echo "== two builds"
sha256sum "$first" "$second" | sed "s|$work/||"
cmp -s "$first" "$second" || fail "the two builds differ"

[ "$failures" -eq 0 ] || exit 1
echo "ok: $(basename "$deb"), $(stat -c %s "$deb") bytes; Depends: $depends"
