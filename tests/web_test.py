# The page opened from disk in headless Chromium and used as a person would (keys, clicks, drags,
# a pasted set, a chosen file, links), against the native programs: the same reports, steps,
# messages and pictures, and no JavaScript error.

import os
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from selenium import webdriver  # noqa: E402
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.actions.action_builder import ActionBuilder  # noqa: E402
from selenium.webdriver.common.actions.mouse_button import MouseButton  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402
from browser import chromium  # noqa: E402
from xsession import Image, XSession  # noqa: E402

BUILD = os.environ.get("CLOSEST_BUILD_DIR", os.path.join(os.path.dirname(__file__), "..", "build"))
PAGE = "file://" + os.path.abspath(os.environ.get("CLOSEST_PAGE", os.path.join(BUILD, "..", "build-web", "closest.html")))
EXPLAIN = os.path.join(BUILD, "programs", "closest_explain")


def without_times(report):
    return [line for line in report.splitlines() if not line.startswith("Vreme: ")]


def native(*args, stdin=None, cwd=None):
    return subprocess.run([EXPLAIN, "--text", *args], input=stdin, capture_output=True, text=True, cwd=cwd, timeout=60)


def png_image(png):
    raw = subprocess.run(["convert", "png:-", "-depth", "8", "bgra:-"], input=png, capture_output=True, check=True).stdout
    return Image(1024, 700, raw)


class Page(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        options = webdriver.ChromeOptions()
        for flag in ["--headless=new", "--no-sandbox", "--use-gl=swiftshader", "--enable-unsafe-swiftshader",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--no-first-run", "--disable-dev-shm-usage", "--window-size=1500,1400",
                     "--force-device-scale-factor=1", "--user-data-dir=" + tempfile.mkdtemp()]:
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        cls.browser = chromium(options)

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()

    def tearDown(self):
        errors = [e["message"] for e in self.browser.get_log("browser") if e["level"] == "SEVERE"]
        self.assertEqual(errors, [], "JavaScript errors")

    def open(self, query=""):
        self.browser.get(PAGE + query)
        WebDriverWait(self.browser, 20).until(lambda b: self.text("report"))

    def text(self, element):
        return self.browser.find_element(By.ID, element).text

    def canvas(self):
        return self.browser.find_element(By.ID, "canvas")

    def picture(self):
        return png_image(self.canvas().screenshot_as_png)

    # A drag on the canvas from window pixel (x, y) by dx, with a button.
    def drag(self, button, x, y, dx):
        actions = ActionBuilder(self.browser)
        actions.pointer_action.move_to(self.canvas(), x - 512, y - 350).pointer_down(button)
        actions.pointer_action.move_by(dx, 0).pointer_up(button)
        actions.perform()

    def test_reports_equal_the_native_programs(self):
        cases = [("closest2d_fixed14", None)] + [(p, s) for p in ["closest2d_rand14", "closest2d_rand10k",
                                                                  "closest3d_rand14", "closest3d_rand10k"]
                                                 for s in ["1767225600", "4294967295"]]
        for program, seed in cases:
            with self.subTest(program=program, seed=seed):
                self.open(f"?program={program}" + (f"&seed={seed}" if seed else ""))
                expected = native("--like", program, *(["--seed", seed] if seed else [])).stdout
                self.assertEqual(without_times(self.text("report")), without_times(expected))
                self.assertEqual(self.browser.find_element(By.ID, "seed").get_attribute("value"), seed or "")

    def test_picture_and_drags_as_in_the_native_window(self):
        self.open()
        self.assertTrue(40 < len(self.picture().where((255, 0, 0))) < 60, "the red pair, a pixel wide")
        drags = [(MouseButton.LEFT, 1, 300, 300, 220), (MouseButton.RIGHT, 3, 300, 300, 150)]
        with XSession() as session:
            process, window, _ = session.launch(os.path.join(BUILD, "programs", "closest2d_fixed14"))
            self.addCleanup(lambda: process.poll() is None and process.kill())
            for step in [None] + drags:
                if step:
                    button, xbutton, x, y, dx = step
                    self.drag(button, x, y, dx)
                    session.xdotool("mousemove", "--window", window, x, y, "mousedown", xbutton, "mousemove",
                                    "--window", window, x + dx, y, "mouseup", xbutton)
                deadline = time.monotonic() + 10
                while True:  # the 14 dots where the native window has them, within a pixel
                    expected, seen = session.pixels(window).dot_centres(), self.picture().dot_centres()
                    if len(seen) == 14 and all(max(abs(a[0] - b[0]), abs(a[1] - b[1])) <= 1
                                               for a, b in zip(seen, expected)):
                        break
                    self.assertLess(time.monotonic(), deadline, f"{step}: {seen} != {expected}")
                    time.sleep(0.1)
            session.finish(process, window)

    def test_steps_keys_and_links(self):
        steps = native("--steps").stdout.splitlines()[4:]
        self.open("?explain")
        seen = [self.text("step-text")]
        before = self.picture().raw
        self.canvas().click()
        for _ in steps[1:]:
            ActionChains(self.browser).send_keys(Keys.ARROW_RIGHT).perform()
            seen.append(self.text("step-text"))
        self.assertEqual(seen, steps)
        self.assertNotEqual(self.picture().raw, before, "a key changes the picture")
        ActionChains(self.browser).send_keys(Keys.HOME).perform()
        self.assertEqual(self.text("step-text"), steps[0])
        WebDriverWait(self.browser, 5).until(lambda b: b.current_url.endswith("?program=closest2d_fixed14&explain&step=1"))

        link = "?program=closest3d_rand14&seed=1767225600&explain&step=5"
        self.open(link)
        self.assertEqual(self.text("step-text"), native("--like", "closest3d_rand14", "--seed", "1767225600",
                                                        "--steps").stdout.splitlines()[8])
        self.assertTrue(self.browser.current_url.endswith(link))
        self.assertIn("Poziv 1: 14 tacaka, podela x = ", self.text("calls"))
        for query, message in [("?program=closest9d", "closest_explain: no program 'closest9d'"),
                               ("?program=closest2d_rand14&seed=-1", "closest_explain: --seed '-1' is out of range"),
                               ("?program=closest2d_fixed14&explain&step=8",
                                "closest_explain: --step 8: the steps are 1 to 7"),
                               ("?size=3", "unknown parameter 'size'")]:
            self.open(query)
            self.assertTrue(self.text("error").startswith(message), self.text("error"))
            self.assertTrue(self.text("report").startswith("Min: 2.088061; "), "the fixed set instead")

    def test_points_pasted_chosen_and_refused(self):
        text = "x,y,z\n0 0 0\n3 4 1\n20 100 2\n40 200 0\n98 503 1\n100 500 2\n130 0 0\n99 502 5\n"
        self.open()
        self.browser.find_element(By.ID, "points-text").send_keys(text)
        self.browser.find_element(By.ID, "points-open").click()
        self.assertEqual(without_times(self.text("report")), without_times(native("--points", "-", stdin=text).stdout))
        picture = self.picture().raw
        with tempfile.TemporaryDirectory() as folder:
            with open(os.path.join(folder, "bad.csv"), "w") as f:
                f.write("1 2\n3 4\n5 6 7\n")
            self.browser.find_element(By.ID, "points-file").send_keys(os.path.join(folder, "bad.csv"))
            WebDriverWait(self.browser, 10).until(lambda b: self.text("error"))
            expected = native("--points", "bad.csv", cwd=folder).stderr.strip()
        self.assertEqual(self.text("error"), expected)
        self.assertEqual(without_times(self.text("report")), without_times(native("--points", "-", stdin=text).stdout))
        self.assertEqual(self.picture().raw, picture, "the last good set stays on screen")


if __name__ == "__main__":
    unittest.main()
