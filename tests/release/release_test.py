#!/usr/bin/python3
"""The release files as a person downloads them, packed once from the builds
scripts/test already has: what each holds, that every one of them names the
one version, that the checksums check, that the source builds elsewhere, what
signing gives, and the installer under Wine as a Windows user meets it.
Usage: release_test.py BUILD-WINDOWS BUILD-WEB BUILD DEB [TestCase.test_name ...]"""
import gzip
import io
import os
import re
import shutil
import subprocess
import sys
import tarfile
import tempfile
import unittest
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(HERE, "..", "hosts", "win32"))
sys.path.insert(0, os.path.join(ROOT, "tools"))
import release  # noqa: E402
import wine_test  # noqa: E402  (takes BUILD-WINDOWS from the arguments)
from wine_test import Shot, until, windows  # noqa: E402

WEB, BUILD, DEB = (os.path.abspath(sys.argv.pop(1)) for _ in range(3))
SESSION = "load\ntick\ntick\npicture\n"
PICTURE = "picture 353 214 d7fb3ae4081a855d"


def project_version():
    with open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8") as cmake:
        return re.search(r"^project\(Tessary VERSION ([0-9.]+) ", cmake.read(), re.M).group(1)


VERSION = project_version()
COMMIT = subprocess.run(["git", "-C", ROOT, "rev-parse", "HEAD"], capture_output=True, text=True,
                        check=True).stdout.strip()
os.environ["SOURCE_DATE_EPOCH"] = subprocess.run(["git", "-C", ROOT, "log", "-1", "--format=%ct"], capture_output=True,
                                                 text=True, check=True).stdout.strip()
NAMES = release.file_names(VERSION)


def pack(dist, signer=release.Signer(), gpg_key=None):
    """The release files from the builds, into dist; what it printed."""
    out = io.StringIO()
    stdout, sys.stdout = sys.stdout, out
    try:
        release.pack(VERSION, COMMIT, dist, DEB, wine_test.BUILD, WEB, signer, gpg_key)
    finally:
        sys.stdout = stdout
    return out.getvalue()


def setUpModule():
    global FOLDER, DIST, SAID
    FOLDER = tempfile.TemporaryDirectory()
    DIST = os.path.join(FOLDER.name, "dist")
    SAID = pack(DIST)


def tearDownModule():
    FOLDER.cleanup()


def read(name):
    with open(os.path.join(DIST, name), "rb") as release_file:
        return release_file.read()


def in_zip(name):
    with zipfile.ZipFile(os.path.join(DIST, NAMES["zip"])) as archive:
        return archive.read(name)


def stripped(name):
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run([release.STRIP, "--strip-all", "-o", os.path.join(folder, name),
                        os.path.join(wine_test.BUILD, name)], check=True)
        with open(os.path.join(folder, name), "rb") as program:
            return program.read()


def utf16(text):
    return text.encode("utf-16-le")


def resource_versions(program):
    """A Windows program's versions: its VERSIONINFO's strings and numbers, and its manifest's."""
    found = {}
    for key in ("FileVersion", "ProductVersion"):
        match = re.search(re.escape(utf16(key) + b"\0\0") + b"(?:\0\0)?((?:[^\0]\0)+)\0\0", program)
        found[key] = match.group(1).decode("utf-16-le") if match else None
    fixed = program.find(bytes.fromhex("bd04effe"))
    words = [int.from_bytes(program[fixed + 4 * i:fixed + 4 * i + 4], "little") for i in range(2, 6)]
    found["fixed numbers"] = ".".join(str(n) for w in words[:2] for n in (w >> 16, w & 0xFFFF))
    manifest = re.search(rb'name="org\.tessary\.Tessary" version="([0-9.]+)"', program)
    found["manifest"] = manifest.group(1).decode() if manifest else None
    return found


def deb_member(path):
    tar = subprocess.run(["dpkg-deb", "--fsys-tarfile", os.path.join(DIST, os.path.basename(DEB))],
                         capture_output=True, check=True).stdout
    with tarfile.open(fileobj=io.BytesIO(tar)) as files:
        data = files.extractfile("./" + path).read()
    return gzip.decompress(data) if path.endswith(".gz") else data


class ReleaseFilesTest(unittest.TestCase):
    def test_the_files_are_there_and_sha256sum_checks_them(self):
        self.assertEqual(sorted(os.listdir(DIST)), sorted(list(NAMES.values()) + [os.path.basename(DEB), "SHA256SUMS"]))
        checked = subprocess.run(["sha256sum", "-c", "--strict", "SHA256SUMS"], cwd=DIST, capture_output=True, text=True)
        self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)
        self.assertEqual(len(checked.stdout.splitlines()), 5)

    def test_every_file_and_program_names_the_one_version(self):
        exe, scr = in_zip("Tessary.exe"), in_zip("Tessary.scr")
        numbers = ".".join(str(int(part)) for part in VERSION.split(".")) + ".0.0"
        found = {
            "the Debian package": subprocess.run(["dpkg-deb", "-f", os.path.join(DIST, os.path.basename(DEB)), "Version"],
                                                 capture_output=True, text=True, check=True).stdout.strip(),
            "the manual page": re.search(rb'^\.TH TESSARY 1 "[^"]*" "Tessary ([^"]+)"',
                                         deb_member("usr/share/man/man1/Tessary.1.gz"), re.M).group(1).decode(),
            "the AppStream file": re.search(rb'<release version="([^"]+)"',
                                            deb_member("usr/share/metainfo/org.tessary.Tessary.metainfo.xml")).group(1).decode(),
            "the Debian changelog": re.match(rb"tessary \(([^)]+)\)",
                                             deb_member("usr/share/doc/tessary/changelog.gz")).group(1).decode(),
            "the installer": re.search(r"^ProductVersion\t(.*)$", subprocess.run(
                ["msiinfo", "export", os.path.join(DIST, NAMES["msi"]), "Property"], capture_output=True, text=True,
                check=True).stdout, re.M).group(1),
            "the page": re.search(rb'<meta name="version" content="([^"]+)">', read(NAMES["page"])).group(1).decode(),
            "Tessary --version": subprocess.run([os.path.join(BUILD, "Tessary"), "--version"], capture_output=True,
                                                text=True, check=True).stdout.splitlines()[0].removeprefix("Tessary "),
        }
        with tarfile.open(os.path.join(DIST, NAMES["source"])) as source:
            found["the source's folder"] = source.getnames()[0].split("/")[0].removeprefix("tessary-")
        for program, data in (("Tessary.exe", exe), ("Tessary.scr", scr)):
            for key, value in resource_versions(data).items():
                found["%s's %s" % (program, key)] = VERSION if value == numbers else value
        with open(os.path.join(ROOT, "CHANGELOG.md"), encoding="utf-8") as changelog:
            self.assertRegex(changelog.read(), r"(?m)^## \[%s\] - \d{4}-\d\d-\d\d$" % re.escape(VERSION))
        self.assertEqual({where: v for where, v in found.items() if v != VERSION}, {}, "not %s" % VERSION)

    def test_the_zip_holds_the_stripped_programs_a_windows_readme_and_the_notices(self):
        with zipfile.ZipFile(os.path.join(DIST, NAMES["zip"])) as archive:
            self.assertEqual(sorted(archive.namelist()), sorted(["Tessary.exe", "Tessary.scr", "README.txt", "LICENSE.txt"]
                                                                + list(release.NOTICES)))
        for name in release.PROGRAMS:
            program = in_zip(name)
            self.assertTrue(program == stripped(name), "%s is not the build's, stripped" % name)
            self.assertNotIn(b".debug", program[:4096], "%s keeps debugging sections" % name)
        readme = in_zip("README.txt")
        self.assertEqual(readme.count(b"\n"), readme.count(b"\r\n"), "a line of README.txt does not end as Windows ends it")
        for said in (b"Tessary " + VERSION.encode(), b"right-click Tessary.scr and choose Install",
                     b"C:\\Windows\\System32", b"To remove it"):
            self.assertIn(said, readme)
        self.assertIn(b"winpthreads", in_zip("NOTICES-mingw-w64.txt"))

    def test_the_source_archive_builds_the_trace_driver_elsewhere(self):
        with tempfile.TemporaryDirectory() as elsewhere:
            subprocess.run(["tar", "-xzf", os.path.join(DIST, NAMES["source"]), "-C", elsewhere], check=True)
            tree = os.path.join(elsewhere, "tessary-" + VERSION)
            build = os.path.join(elsewhere, "build")
            subprocess.run(["cmake", "-S", tree, "-B", build, "-G", "Ninja", "-DTESSARY_TESTS=OFF"],
                           check=True, stdout=subprocess.DEVNULL)
            subprocess.run(["cmake", "--build", build, "--target", "tessary-trace"], check=True, stdout=subprocess.DEVNULL)
            trace = subprocess.run([os.path.join(build, "tessary-trace")], input=SESSION, capture_output=True, text=True,
                                   check=True)
        self.assertEqual(trace.stdout.splitlines()[-1], PICTURE)

    def test_unsigned_by_default_and_said_in_one_line(self):
        self.assertEqual(SAID.count("\n"), 1)
        self.assertIn("signed nothing", SAID)
        self.assertFalse(os.path.exists(os.path.join(DIST, "SHA256SUMS.asc")))
        with tempfile.TemporaryDirectory() as folder:
            exe = os.path.join(folder, "Tessary.exe")
            with open(exe, "wb") as out:
                out.write(in_zip("Tessary.exe"))
            self.assertNotEqual(subprocess.run(["osslsigncode", "verify", "-in", exe], capture_output=True).returncode, 0)

    def test_with_keys_given_the_programs_installer_and_checksums_are_signed_the_same_each_time(self):
        with tempfile.TemporaryDirectory() as keys:
            ca, certificate, key = throwaway_code_signing_keys(keys)
            gnupg = os.path.join(keys, "gnupg")
            os.mkdir(gnupg, 0o700)
            environment = dict(os.environ, GNUPGHOME=gnupg)
            subprocess.run(["gpg", "--batch", "--passphrase", "", "--quick-gen-key", "Tessary release test <test@invalid>",
                            "default", "sign", "never"], env=environment, check=True, capture_output=True)
            os.environ["GNUPGHOME"] = gnupg
            try:
                signed = [os.path.join(keys, "first"), os.path.join(keys, "second")]
                for dist in signed:
                    said = pack(dist, release.Signer(certificate, key), "test@invalid")
                    self.assertNotIn("signed nothing", said)
                verified = subprocess.run(["gpg", "--batch", "--verify", "SHA256SUMS.asc", "SHA256SUMS"], cwd=signed[0],
                                          capture_output=True, text=True)
            finally:
                del os.environ["GNUPGHOME"]
            self.assertEqual(verified.returncode, 0, verified.stderr)
            with zipfile.ZipFile(os.path.join(signed[0], NAMES["zip"])) as archive:
                archive.extractall(os.path.join(keys, "unzipped"), members=list(release.PROGRAMS))
            for path in [os.path.join(keys, "unzipped", name) for name in release.PROGRAMS] + [
                    os.path.join(signed[0], NAMES["msi"])]:
                check = subprocess.run(["osslsigncode", "verify", "-CAfile", ca, "-in", path], capture_output=True, text=True)
                self.assertEqual(check.returncode, 0, "%s: %s" % (os.path.basename(path), check.stdout[-600:]))
                self.assertIn("Signature verification: ok", check.stdout)
            for name in (NAMES["zip"], NAMES["msi"]):
                with open(os.path.join(signed[0], name), "rb") as first, open(os.path.join(signed[1], name), "rb") as second:
                    self.assertTrue(first.read() == second.read(), "%s signed twice differs" % name)


class ReleaseScriptTest(unittest.TestCase):
    """What scripts/release refuses, in a clone of the test's own, before it builds anything."""

    def release_in_a_clone(self, change):
        with tempfile.TemporaryDirectory() as folder:
            clone = os.path.join(folder, "tessary")
            subprocess.run(["git", "clone", "-q", "--no-local", ROOT, clone], check=True)
            change(clone)
            return subprocess.run([os.path.join(clone, "scripts", "release")], capture_output=True, text=True,
                                  stdin=subprocess.DEVNULL, timeout=60)

    def test_a_change_not_committed_is_refused(self):
        def edit(clone):
            with open(os.path.join(clone, "README.md"), "a") as readme:
                readme.write("\nA line not committed.\n")
        refused = self.release_in_a_clone(edit)
        self.assertEqual((refused.returncode, refused.stdout), (1, ""))
        self.assertIn("not committed", refused.stderr)

    def test_a_version_the_changelog_has_no_entry_for_is_refused(self):
        def bump(clone):
            cmake = os.path.join(clone, "CMakeLists.txt")
            with open(cmake, encoding="utf-8") as original:
                text = original.read()
            with open(cmake, "w", encoding="utf-8") as bumped:
                bumped.write(text.replace("project(Tessary VERSION %s " % VERSION,
                                          "project(Tessary VERSION %s " % later_version()))
            subprocess.run(["git", "-C", clone, "-c", "user.name=Test", "-c", "user.email=test@invalid", "commit", "-q",
                            "-am", "A version with no entry"], check=True)
        refused = self.release_in_a_clone(bump)
        self.assertEqual((refused.returncode, refused.stdout), (1, ""))
        self.assertIn("CHANGELOG.md has no entry for %s" % later_version(), refused.stderr)


def throwaway_code_signing_keys(folder):
    """A certificate authority of the test's own, and a code-signing certificate and key it issued."""
    path = lambda name: os.path.join(folder, name)
    openssl = lambda *words: subprocess.run(["openssl", *words], check=True, capture_output=True)
    openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", path("ca.key"), "-out", path("ca.pem"),
            "-days", "3650", "-subj", "/CN=Tessary test authority", "-addext", "basicConstraints=critical,CA:TRUE",
            "-addext", "keyUsage=critical,keyCertSign")
    openssl("req", "-newkey", "rsa:2048", "-nodes", "-keyout", path("signer.key"), "-out", path("signer.csr"),
            "-subj", "/CN=The Tessary developers")
    with open(path("signer.ext"), "w") as extensions:
        extensions.write("extendedKeyUsage=codeSigning\nkeyUsage=critical,digitalSignature\n")
    # From well before the commit's time, at which the signatures are dated.
    openssl("x509", "-req", "-in", path("signer.csr"), "-CA", path("ca.pem"), "-CAkey", path("ca.key"),
            "-CAcreateserial", "-out", path("signer.pem"), "-days", "3650", "-extfile", path("signer.ext"))
    return path("ca.pem"), path("signer.pem"), path("signer.key")


class InstallerTest(wine_test.WineSession):
    """The installer in a Wine prefix of its own: installed silently, run, upgraded, refused an older version, removed."""

    def msiexec(self, *words):
        return subprocess.run(["wine", "msiexec", *words], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode

    def drive(self, *parts):
        return os.path.join(os.environ["WINEPREFIX"], "drive_c", *parts)

    def shortcuts(self):
        """Start menu entries named Tessary: Wine puts a per-machine one in the user's menu."""
        menus = [self.drive("ProgramData", "Microsoft", "Windows", "Start Menu", "Programs")]
        users = self.drive("users")
        menus += [os.path.join(users, user, "AppData", "Roaming", "Microsoft", "Windows", "Start Menu", "Programs")
                  for user in os.listdir(users)]
        return [os.path.join(menu, "Tessary.lnk") for menu in menus if os.path.exists(os.path.join(menu, "Tessary.lnk"))]

    def entries(self):
        """The uninstall entries named Tessary, each as its version."""
        key = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"
        listing = subprocess.run(["wine", "reg", "query", key, "/s"], capture_output=True, text=True,
                                 stdin=subprocess.DEVNULL).stdout
        found = {}
        for block in listing.split("\n\n"):
            if re.search(r"DisplayName\s+REG_SZ\s+Tessary\s*$", block, re.M):
                version = re.search(r"DisplayVersion\s+REG_SZ\s+(\S+)", block)
                publisher = re.search(r"Publisher\s+REG_SZ\s+(.+?)\s*$", block, re.M)
                found[version.group(1) if version else None] = publisher.group(1) if publisher else None
        return found

    def installed_files(self):
        return [path for path in (self.drive("Program Files", "Tessary", "Tessary.exe"),
                                  self.drive("windows", "system32", "Tessary.scr")) if os.path.exists(path)]

    def run_installed(self, path, *arguments, title):
        process = subprocess.Popen(["wine", path, *arguments], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: process.poll() is not None or (process.kill(), process.wait()))
        return process, until(lambda: next(iter(windows(title)), None), "no window %s from %s" % (title, path))

    def test_installed_run_upgraded_refused_older_and_removed(self):
        with tempfile.TemporaryDirectory() as later:
            with tempfile.TemporaryDirectory() as programs:
                release.stripped_programs(wine_test.BUILD, programs, release.Signer())
                later_msi = os.path.join(later, release.file_names(later_version())["msi"])
                release.make_msi(later_version(), COMMIT, programs, later_msi)
            first_msi = os.path.join(DIST, NAMES["msi"])

            self.assertEqual(self.msiexec("/i", first_msi, "/qn"), 0)
            self.assertEqual(len(self.installed_files()), 2, "not every program was installed")
            self.assertEqual(len(self.shortcuts()), 1, "no Start menu entry")
            self.assertEqual(self.entries(), {VERSION: "The Tessary developers"})
            self.assertFalse(os.path.exists(self.drive("Program Files (x86)", "Tessary")), "installed as 32-bit")

            form, _ = self.run_installed(r"C:\Program Files\Tessary\Tessary.exe", title="^Form1$")
            form.kill()
            form.wait()
            saver, window = self.run_installed(r"C:\windows\system32\Tessary.scr", "/s", title="^Tessary$")
            until(lambda: Shot(window).lit(4), "the installed screen saver drew nothing")
            saver.kill()
            saver.wait()

            self.assertEqual(self.msiexec("/i", later_msi, "/qn"), 0)
            self.assertEqual(self.entries(), {later_version(): "The Tessary developers"}, "not one entry, the later")
            self.assertEqual(len(self.installed_files()), 2)
            self.assertEqual(len(self.shortcuts()), 1)

            # msiexec's 1603, as a Linux parent sees it: the low byte.
            self.assertEqual(self.msiexec("/i", first_msi, "/qn"), 1603 & 0xFF, "the earlier version was not refused")
            self.assertEqual(self.entries(), {later_version(): "The Tessary developers"})

            self.assertEqual(self.msiexec("/x", later_msi, "/qn"), 0)
            self.assertEqual((self.installed_files(), self.shortcuts(), self.entries()), ([], [], {}),
                             "files, shortcut or entry left behind")


def later_version():
    major, minor = VERSION.split(".")
    return "%s.%02d" % (major, int(minor) + 1)


if __name__ == "__main__":
    unittest.main(verbosity=2)
