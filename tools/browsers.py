"""The three engines the page is tested and measured in, behind one small set of W3C
WebDriver commands: Chromium and WebKit through Selenium's drivers, Gecko
through Firefox's own Marionette port (Debian has no geckodriver), spoken to
by the short client below. Each browser has a profile of its own in a
temporary folder, taken away when it quits."""
import base64
import json
import os
import shutil
import socket
import subprocess
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service as ChromeService
from selenium.webdriver.remote.command import Command
from selenium.webdriver.webkitgtk.options import Options as WebKitGTKOptions

ELEMENT = "element-6066-11e4-a52e-4f735466cecf"  # how WebDriver names an element in JSON
PATIENCE = 20


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class SeleniumBrowser:
    def __init__(self, driver, x_server=None):
        self.driver = driver
        self.x_server = x_server

    def open(self, url):
        self.driver.get(url)

    def script(self, source, *args):
        return self.driver.execute_script(source, *args)

    def script_async(self, source, *args):
        return self.driver.execute_async_script(source, *args)

    def element(self, name):
        return {ELEMENT: self.driver.find_element("id", name).id}

    def actions(self, *sequences):
        self.driver.execute(Command.W3C_ACTIONS, {"actions": list(sequences)})
        self.driver.execute(Command.W3C_CLEAR_ACTIONS)

    def screenshot(self):
        return self.driver.get_screenshot_as_png()

    def process(self):
        """The process the browser's own processes run below."""
        return self.driver.service.process.pid

    def quit(self):
        self.driver.quit()
        if self.x_server:
            self.x_server.terminate()
            self.x_server.wait()


def chromium(scale=1, arguments=(), prefs=None):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--window-size=900,500", "--force-device-scale-factor=%s" % scale, *arguments):
        options.add_argument(argument)
    if prefs:
        options.add_experimental_option("prefs", prefs)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return SeleniumBrowser(webdriver.Chrome(service=ChromeService("/usr/bin/chromedriver"), options=options))


def webkit():
    """WebKitGTK's MiniBrowser, in an X server of its own: it has no headless mode."""
    x_server = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    os.environ["DISPLAY"] = ":" + x_server.stdout.readline().decode().strip()
    options = WebKitGTKOptions()
    options.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
    options.add_argument("--automation")
    options.add_argument("--geometry=900x500")
    return SeleniumBrowser(webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=options), x_server)


class Gecko:
    """Headless Firefox, driven over Marionette: a length-prefixed JSON
    message each way, [0, id, command, parameters] out, [1, id, error,
    result] back."""

    def __init__(self, scale=None):
        self.profile = tempfile.mkdtemp()
        port = free_port()
        prefs = {"marionette.port": port, "browser.shell.checkDefaultBrowser": False,
                 "datareporting.policy.dataSubmissionEnabled": False, "app.update.disabledForTesting": True,
                 "browser.startup.homepage_override.mstone": "ignore", "browser.aboutwelcome.enabled": False}
        if scale:
            prefs["layout.css.devPixelsPerPx"] = str(scale)
        with open(os.path.join(self.profile, "user.js"), "w") as out:
            out.writelines("user_pref(%s, %s);\n" % (json.dumps(k), json.dumps(v)) for k, v in prefs.items())
        self.process_ = subprocess.Popen(
            ["firefox-esr", "--headless", "--marionette", "--no-remote", "--profile", self.profile,
             "--width", "900", "--height", "500"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            env=dict(os.environ, MOZ_CRASHREPORTER_DISABLE="1"))
        deadline = time.monotonic() + PATIENCE
        while True:
            try:
                self.socket = socket.create_connection(("127.0.0.1", port))
                break
            except OSError:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.1)
        self.reader = self.socket.makefile("rb")
        self.receive()  # the greeting
        self.sent = 0
        self.call("WebDriver:NewSession", {"capabilities": {"alwaysMatch": {"acceptInsecureCerts": True}}})

    def receive(self):
        length = b""
        while not length.endswith(b":"):
            length += self.reader.read(1)
        return json.loads(self.reader.read(int(length[:-1])))

    def call(self, command, parameters=None):
        self.sent += 1
        body = json.dumps([0, self.sent, command, parameters or {}]).encode()
        self.socket.sendall(b"%d:%s" % (len(body), body))
        _, _, error, result = self.receive()
        if error:
            raise RuntimeError("%s: %s" % (command, error.get("message", error)))
        return result.get("value") if isinstance(result, dict) else result

    def open(self, url):
        self.call("WebDriver:Navigate", {"url": url})

    def script(self, source, *args):
        return self.call("WebDriver:ExecuteScript", {"script": source, "args": list(args)})

    def script_async(self, source, *args):
        return self.call("WebDriver:ExecuteAsyncScript", {"script": source, "args": list(args)})

    def element(self, name):
        return self.call("WebDriver:FindElement", {"using": "css selector", "value": "#" + name})

    def actions(self, *sequences):
        self.call("WebDriver:PerformActions", {"actions": list(sequences)})
        self.call("WebDriver:ReleaseActions")

    def screenshot(self):
        return base64.b64decode(self.call("WebDriver:TakeScreenshot", {"full": False}))

    def process(self):
        return self.process_.pid

    def quit(self):
        try:
            self.call("Marionette:Quit")
        except (OSError, RuntimeError, ValueError):
            pass
        self.socket.close()
        try:
            self.process_.wait(timeout=PATIENCE)
        except subprocess.TimeoutExpired:
            self.process_.kill()
        shutil.rmtree(self.profile, ignore_errors=True)
