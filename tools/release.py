#!/usr/bin/python3
"""Packs Tessary's release files from builds already made, into one folder:

  tessary_<v>_amd64.deb           the Debian package, as built
  Tessary-<v>-windows-x64.zip     Tessary.exe and Tessary.scr, stripped, with a
                                  README, the licence and the notices of what
                                  they link statically
  Tessary-<v>-x64.msi             the same two programs, installed per machine
  Tessary-<v>.html                the page
  tessary-<v>.tar.gz              the source of the commit, as git archive gives it
  SHA256SUMS                      their checksums, in coreutils' format

The same inputs give the same bytes: every time in them is SOURCE_DATE_EPOCH,
which must be set (the commit's time), and nothing depends on the folder,
the time zone, the user or the file modes.

With TESSARY_SIGN_CERT and TESSARY_SIGN_KEY (PEM files), the two programs are
given an Authenticode signature before they are zipped and packed, and so is
the installer, each at SOURCE_DATE_EPOCH. With TESSARY_GPG_KEY, SHA256SUMS gets
a detached, armoured signature, SHA256SUMS.asc. Without them nothing is signed.

Usage: release.py VERSION COMMIT DIST --package DEB --windows DIR --web DIR"""
import argparse
import datetime
import gzip
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import uuid
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
STRIP = "x86_64-w64-mingw32-strip"
PROGRAMS = ("Tessary.exe", "Tessary.scr")
# What the programs link statically, whose licences travel with them.
NOTICES = {
    "NOTICES-mingw-w64.txt": "/usr/share/doc/mingw-w64-x86-64-dev/copyright",
    "NOTICES-gcc-runtime.txt": "/usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright",
}
# Names that the installer's codes are made from, so that each version (and,
# for the package code, each commit) has codes of its own, the same in every build.
CODES = uuid.UUID("9b0e6a53-4f0d-4d8e-a3a1-5c7e2f1b8d40")
FILE_MODE = 0o644


def epoch():
    value = os.environ.get("SOURCE_DATE_EPOCH")
    if not value:
        raise SystemExit("release.py: SOURCE_DATE_EPOCH is not set; it is the commit's time")
    return int(value)


def file_names(version):
    return {
        "zip": "Tessary-%s-windows-x64.zip" % version,
        "msi": "Tessary-%s-x64.msi" % version,
        "page": "Tessary-%s.html" % version,
        "source": "tessary-%s.tar.gz" % version,
    }


def run(*words, **options):
    subprocess.run(words, check=True, **options)


def product_code(version):
    return str(uuid.uuid5(CODES, "product " + version)).upper()


def package_code(version, commit):
    return str(uuid.uuid5(CODES, "package %s %s" % (version, commit))).upper()


class Signer:
    """Authenticode with the key given, at the release's own time; or nothing."""

    def __init__(self, certificate=None, key=None):
        self.certificate, self.key = certificate, key

    @classmethod
    def from_environment(cls):
        certificate, key = os.environ.get("TESSARY_SIGN_CERT"), os.environ.get("TESSARY_SIGN_KEY")
        if bool(certificate) != bool(key):
            raise SystemExit("release.py: TESSARY_SIGN_CERT and TESSARY_SIGN_KEY go together")
        return cls(certificate, key)

    def __bool__(self):
        return bool(self.certificate)

    def sign(self, path):
        if not self:
            return
        signed = path + ".signed"
        run("osslsigncode", "sign", "-certs", self.certificate, "-key", self.key, "-h", "sha256", "-n", "Tessary",
            "-time", str(epoch()), "-in", path, "-out", signed, stdout=subprocess.DEVNULL)
        os.replace(signed, path)


def stripped_programs(windows, into, signer):
    """The two programs without their symbols and debugging sections, signed where a key is given."""
    for name in PROGRAMS:
        target = os.path.join(into, name)
        run(STRIP, "--strip-all", "-o", target, os.path.join(windows, name))
        signer.sign(target)
    return [os.path.join(into, name) for name in PROGRAMS]


def windows_readme(version):
    with open(os.path.join(ROOT, "data", "windows", "README.txt"), encoding="utf-8") as template:
        text = template.read().replace("@VERSION@", version)
    return text.replace("\n", "\r\n").encode("utf-8")


def text_with_crlf(path):
    with open(path, "rb") as source:
        return source.read().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")


def licence_files():
    """The licence and the notices, by name, with Windows line endings."""
    files = {"LICENSE.txt": text_with_crlf(os.path.join(ROOT, "LICENSE"))}
    files.update((name, text_with_crlf(source)) for name, source in NOTICES.items())
    return files


def windows_files(version, programs):
    """The zip's files, by name: the programs, the README, the licence and the notices."""
    files = {"README.txt": windows_readme(version), **licence_files()}
    for path in programs:
        with open(path, "rb") as program:
            files[os.path.basename(path)] = program.read()
    return files


def write_zip(path, files):
    """A zip whose every entry has the same time, mode and system, in a fixed order."""
    moment = datetime.datetime.fromtimestamp(max(epoch(), 315532800), datetime.timezone.utc)  # zip knows no time before 1980
    with zipfile.ZipFile(path, "w") as archive:
        for name in sorted(files):
            entry = zipfile.ZipInfo(name, date_time=moment.timetuple()[:6])
            entry.create_system = 0  # MS-DOS: no Unix modes or owners
            entry.external_attr = 0
            entry.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(entry, files[name], compresslevel=9)


def make_msi(version, commit, programs_folder, path, signer=Signer()):
    """The installer for that version, from the programs in programs_folder (stripped and signed already)."""
    with tempfile.TemporaryDirectory() as stage:
        for name in PROGRAMS:
            shutil.copyfile(os.path.join(programs_folder, name), os.path.join(stage, name))
        for name, data in licence_files().items():
            with open(os.path.join(stage, name), "wb") as out:
                out.write(data)
        shutil.copyfile(os.path.join(ROOT, "data", "icons", "org.tessary.Tessary.ico"),
                        os.path.join(stage, "org.tessary.Tessary.ico"))
        shutil.copyfile(os.path.join(ROOT, "data", "windows", "Tessary.wxs"), os.path.join(stage, "Tessary.wxs"))
        # The cabinet takes the files' times, and wixl stamps the summary with
        # the clock and a random package code: all three are pinned here.
        for name in os.listdir(stage):
            os.utime(os.path.join(stage, name), (epoch(), epoch()))
        moment = datetime.datetime.fromtimestamp(epoch(), datetime.timezone.utc).strftime("%Y-%m-%d %H:%M:%S")
        environment = dict(os.environ, TZ="UTC")
        run("faketime", "-f", moment, "wixl", "-a", "x64", "-D", "Version=" + version,
            "-D", "ProductCode=" + product_code(version), "-o", "Tessary.msi", "Tessary.wxs", cwd=stage, env=environment)
        run("faketime", "-f", moment, "msibuild", "Tessary.msi", "-s", "Tessary", "The Tessary developers", "x64;1033",
            "{%s}" % package_code(version, commit), cwd=stage, env=environment)
        signer.sign(os.path.join(stage, "Tessary.msi"))
        shutil.copyfile(os.path.join(stage, "Tessary.msi"), path)


def source_archive(commit, version, path):
    """The commit's tree as git archive gives it: the commit's time, owner root, git's order."""
    prefix = "tessary-%s/" % version
    tar = subprocess.run(["git", "-C", ROOT, "archive", "--format=tar", "--prefix=" + prefix, commit],
                         check=True, capture_output=True).stdout
    with open(path, "wb") as out, gzip.GzipFile(filename="", mode="wb", fileobj=out, compresslevel=9, mtime=0) as packed:
        packed.write(tar)


def checksums(dist):
    """SHA256SUMS over every file in dist, in coreutils' format."""
    lines = []
    for name in sorted(os.listdir(dist)):
        if name in ("SHA256SUMS", "SHA256SUMS.asc"):
            continue
        with open(os.path.join(dist, name), "rb") as release_file:
            lines.append("%s  %s\n" % (hashlib.sha256(release_file.read()).hexdigest(), name))
    with open(os.path.join(dist, "SHA256SUMS"), "w", encoding="ascii", newline="\n") as sums:
        sums.writelines(lines)


def gpg_sign(dist, key):
    run("gpg", "--batch", "--yes", "--armor", "--detach-sign", "--local-user", key, "--output",
        os.path.join(dist, "SHA256SUMS.asc"), os.path.join(dist, "SHA256SUMS"))


def pack(version, commit, dist, package, windows, web, signer, gpg_key=None):
    names = file_names(version)
    if os.path.exists(dist):
        shutil.rmtree(dist)
    os.makedirs(dist)
    shutil.copyfile(package, os.path.join(dist, os.path.basename(package)))
    with tempfile.TemporaryDirectory() as programs_folder:
        programs = stripped_programs(windows, programs_folder, signer)
        write_zip(os.path.join(dist, names["zip"]), windows_files(version, programs))
        make_msi(version, commit, programs_folder, os.path.join(dist, names["msi"]), signer)
    shutil.copyfile(os.path.join(web, "Tessary.html"), os.path.join(dist, names["page"]))
    source_archive(commit, version, os.path.join(dist, names["source"]))
    for name in os.listdir(dist):
        os.chmod(os.path.join(dist, name), FILE_MODE)
    checksums(dist)
    if gpg_key:
        gpg_sign(dist, gpg_key)
    if not signer and not gpg_key:
        print("release.py: signed nothing (no TESSARY_SIGN_CERT and TESSARY_SIGN_KEY, no TESSARY_GPG_KEY)")


def main():
    parser = argparse.ArgumentParser(description="Packs Tessary's release files from builds already made.")
    parser.add_argument("version")
    parser.add_argument("commit")
    parser.add_argument("dist")
    parser.add_argument("--package", required=True, help="the Debian package")
    parser.add_argument("--windows", required=True, help="the Windows build folder")
    parser.add_argument("--web", required=True, help="the page's build folder")
    arguments = parser.parse_args()
    pack(arguments.version, arguments.commit, arguments.dist, arguments.package, arguments.windows, arguments.web,
         Signer.from_environment(), os.environ.get("TESSARY_GPG_KEY"))


if __name__ == "__main__":
    sys.exit(main())
