#!/usr/bin/python3
"""The page in a real browser: headless Chromium driven by chromedriver,
opened from disk with the network off, and read back from what it shows."""
import json
import os
import sys
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

PAGE = os.path.abspath(os.path.join(sys.argv.pop(1) if len(sys.argv) > 1 else "build-web", "Tessary.html"))
PATIENCE = 10  # seconds to wait for something the page should show

# What the page shows of its canvas: size, the picture's hash taken as the
# trace driver takes it, the lit pixels, their box and their colours.
READ_AREA = """
const area = document.getElementById('area');
const data = area.getContext('2d').getImageData(0, 0, area.width, area.height).data;
let hash = 0xcbf29ce484222325n, lit = 0, left = 1e9, top = 1e9, right = -1, bottom = -1;
const colours = new Set();
for (let i = 0, n = 0; i < data.length; i += 4, ++n) {
  for (let k = 0; k < 3; ++k) hash = ((hash ^ BigInt(data[i + k])) * 0x100000001b3n) & 0xffffffffffffffffn;
  if (data[i] || data[i + 1] || data[i + 2]) {
    const x = n % area.width, y = Math.floor(n / area.width);
    ++lit; left = Math.min(left, x); right = Math.max(right, x); top = Math.min(top, y); bottom = Math.max(bottom, y);
    colours.add(data[i] + ',' + data[i + 1] + ',' + data[i + 2]);
  }
}
return {width: area.width, height: area.height, hash: hash.toString(16).padStart(16, '0'), lit: lit,
        centre: [(left + right) / 2, (top + bottom) / 2], colours: [...colours].sort(),
        picture: Module.ccall('tessary_picture_hash', 'string', [], [])};
"""


def console(driver):
    """What the page printed, leaving out the browser's advice on the test's own readbacks."""
    return [entry for entry in driver.get_log("browser") if "willReadFrequently" not in entry["message"]]


def browser(scale):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--window-size=900,500", "--force-device-scale-factor=%s" % scale):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.emulateNetworkConditions",
                           {"offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
    driver.get("file://" + PAGE)
    return driver


class WebPageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.driver = browser(1)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def setUp(self):
        self.driver.refresh()
        self.wait_until(lambda: self.area()["lit"] > 0, "no ring came without a click")

    def wait_until(self, condition, why):
        WebDriverWait(self.driver, PATIENCE, poll_frequency=0.05).until(lambda _: condition(), why)

    def area(self):
        return self.driver.execute_script(READ_AREA)

    def element(self, name):
        return self.driver.find_element(By.ID, name)

    def click(self, name):
        self.element(name).click()

    def click_area(self):
        canvas = self.element("area")
        ActionChains(self.driver).move_to_element_with_offset(canvas, 0, 60).click().perform()

    def stopped_picture(self):
        """Stops the rings and returns what the area shows, which must then stay."""
        self.click("cmdstop")
        shown = self.area()
        self.assertEqual(self.area()["hash"], shown["hash"], "rings came after Stop")
        return shown

    def rings_after(self, *clicks):
        """Clears a stopped area, clicks, starts the rings and stops them again."""
        self.stopped_picture()
        self.click("cmdclear")
        for name in clicks:
            self.click(name)
        self.click_area()
        # Any lit pixel is a ring: a centre near the top gives rings of a pixel or two.
        self.wait_until(lambda: self.area()["lit"] > 0, "no rings after a click on the area")
        return self.stopped_picture()

    def test_opens_from_disk_as_the_window_with_its_buttons_and_nothing_else(self):
        self.assertEqual(self.driver.title, "Form1")
        self.assertEqual((self.area()["width"], self.area()["height"]), (353, 214))
        origin = self.element("area").rect
        buttons = {  # name: caption, left, top, width, height in CSS pixels
            "cmdmove": ("Move", 0, 16, 41, 17), "cmdcolor": ("Color", 56, 16, 41, 17),
            "cmdslow": ("Slower", 112, 16, 41, 17), "cmdfast": ("Faster", 176, 16, 41, 17),
            "cmdstop": ("Stop", 232, 16, 41, 17), "cmdclear": ("Clear", 288, 16, 41, 17)}
        for name, (caption, left, top, width, height) in buttons.items():
            with self.subTest(button=name):
                button = self.element(name)
                self.assertEqual(button.text, caption)
                rect = button.rect
                self.assertEqual((rect["x"] - origin["x"], rect["y"] - origin["y"], rect["width"], rect["height"]),
                                 (left, top, width, height))
                self.assertEqual(button.value_of_css_property("background-color"), "rgba(255, 192, 192, 1)")
                self.assertLessEqual(self.driver.execute_script("return arguments[0].scrollWidth", button), width,
                                     "caption cut")
        self.assertEqual(console(self.driver), [])
        requests = [json.loads(entry["message"])["message"] for entry in self.driver.get_log("performance")]
        fetched = [m["params"]["request"]["url"] for m in requests if m["method"] == "Network.requestWillBeSent"]
        self.assertEqual([url for url in fetched if not url.startswith(("file:", "data:"))], [])

    def test_each_button_does_what_it_says(self):
        first = self.rings_after()
        moved = self.rings_after("cmdmove")
        self.assertNotEqual(moved["centre"], first["centre"], "Move kept the centre")
        self.assertEqual(len(moved["colours"]), 1)
        coloured = self.rings_after("cmdcolor")
        self.assertNotEqual(coloured["colours"], moved["colours"], "Color kept the colour")
        self.click("cmdclear")
        self.assertEqual(self.area()["lit"], 0, "Clear left pixels lit")
        # 1 + 655 x 100 is the longest interval the timer takes: the 656th Slower is refused.
        self.driver.execute_script("for (let i = 0; i < 655; ++i) document.getElementById('cmdslow').click();")
        self.assertFalse(self.element("errors").is_displayed(), "an error before the timer's limit")
        self.click("cmdslow")
        self.assertIn("Error 380: Invalid property value\nObject: tmrtime\nOperation: Interval",
                      self.element("error-text").text)
        self.click("cmdslow")
        self.assertIn("Errors so far: 2", self.element("error-text").text)
        # Back down to 1 ms: the rings come again at once.
        self.driver.execute_script("for (let i = 0; i < 656; ++i) document.getElementById('cmdfast').click();")
        self.click_area()
        self.wait_until(lambda: self.area()["lit"] > 0, "Faster did not bring the interval back")

    def test_an_error_shows_beside_the_area_without_taking_the_focus_and_can_be_closed(self):
        self.driver.execute_script("for (let i = 0; i < 656; ++i) document.getElementById('cmdslow').click();")
        panel = self.element("errors")
        self.assertTrue(panel.is_displayed())
        self.assertEqual(panel.get_attribute("role"), "status")
        self.assertEqual(self.driver.switch_to.active_element.get_attribute("id"), "cmdslow")
        form, shown = self.element("form").rect, panel.rect
        self.assertTrue(shown["x"] >= form["x"] + form["width"] or shown["y"] >= form["y"] + form["height"],
                        "the panel stands over the form")
        self.click("error-close")
        self.assertFalse(panel.is_displayed())
        self.click("cmdslow")
        self.assertTrue(panel.is_displayed(), "the panel did not come back with the next error")

    def test_a_click_counts_on_the_bare_area_only(self):
        stopped = self.stopped_picture()
        canvas, stop = self.element("area"), self.element("cmdstop")
        cases = [
            ("right click on the area", lambda: ActionChains(self.driver).move_to_element_with_offset(canvas, 0, 60)
             .context_click().perform()),
            ("pressed on the area, released over a button", lambda: ActionChains(self.driver)
             .move_to_element_with_offset(canvas, 0, 60).click_and_hold().move_to_element(stop).release().perform()),
            ("pressed on a button, released on the area", lambda: ActionChains(self.driver)
             .move_to_element(stop).click_and_hold().move_to_element_with_offset(canvas, 0, 60).release().perform()),
        ]
        for why, act in cases:
            with self.subTest(why):
                act()
                self.assertEqual(self.area()["hash"], stopped["hash"], why)
        self.click_area()
        self.wait_until(lambda: self.area()["hash"] != stopped["hash"], "a left click on the area did not start them")

    def test_the_keyboard_alone_reaches_every_command(self):
        def focused():
            return self.driver.switch_to.active_element.get_attribute("id")

        def press(*keys):
            ActionChains(self.driver).send_keys(*keys).perform()

        order = [focused()]
        for _ in range(6):
            press(Keys.TAB)
            order.append(focused())
        self.assertEqual(order, ["cmdslow", "cmdfast", "cmdclear", "cmdcolor", "cmdmove", "cmdstop", "area"])
        for start in (Keys.SPACE, Keys.ENTER):
            with self.subTest(start=repr(start)):
                ActionChains(self.driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()
                press(Keys.SPACE)
                self.assertEqual(focused(), "cmdstop")
                stopped = self.area()
                self.assertEqual(self.area()["hash"], stopped["hash"], "Space on Stop did not stop them")
                press(Keys.TAB, start)
                self.assertEqual(focused(), "area")
                self.wait_until(lambda: self.area()["hash"] != stopped["hash"], "the key on the area did not start them")

    def test_a_screen_reader_finds_six_buttons_and_the_drawing_area(self):
        nodes = self.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
        named = [(n["role"]["value"], n.get("name", {}).get("value")) for n in nodes if not n.get("ignored")]
        buttons = [name for role, name in named if role == "button"]
        self.assertEqual(buttons, ["Slower", "Faster", "Clear", "Color", "Move", "Stop", "Drawing area"])

    def test_the_canvas_shows_the_picture_one_to_one(self):
        shown = self.stopped_picture()
        self.assertEqual(shown["hash"], shown["picture"])


class DenseScreenTest(unittest.TestCase):
    def test_the_canvas_has_the_screens_device_pixels_and_shows_the_picture(self):
        driver = browser(2)
        try:
            WebDriverWait(driver, PATIENCE).until(lambda d: d.execute_script(READ_AREA)["lit"] > 0)
            driver.find_element(By.ID, "cmdstop").click()
            shown = driver.execute_script(READ_AREA)
            self.assertEqual((shown["width"], shown["height"]), (706, 428))
            self.assertEqual(shown["hash"], shown["picture"])
            self.assertEqual(console(driver), [])
        finally:
            driver.quit()


if __name__ == "__main__":
    unittest.main(verbosity=2)
