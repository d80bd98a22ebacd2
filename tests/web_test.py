# The page opened from disk in headless Chromium and used as a person would (keys, clicks, drags,
# a pasted set, a chosen file, links), against the native programs: the same reports, steps,
# messages and pictures, and no JavaScript error.

import os
import re
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.parse

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from selenium import webdriver  # noqa: E402
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.actions.action_builder import ActionBuilder  # noqa: E402
from selenium.webdriver.common.actions.mouse_button import MouseButton  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402
from selenium.webdriver.support.ui import Select  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402
from browser import chromium  # noqa: E402
from xsession import Image, XSession  # noqa: E402

BUILD = os.environ.get("CLOSEST_BUILD_DIR", os.path.join(os.path.dirname(__file__), "..", "build"))
PAGE = "file://" + os.path.abspath(os.environ.get("CLOSEST_PAGE", os.path.join(BUILD, "..", "build-web", "closest.html")))
EXPLAIN = os.path.join(BUILD, "programs", "closest_explain")
PATIENCE = 60  # seconds: a hang guard, never a measure
AXE = os.environ.get("CLOSEST_AXE", "/usr/local/lib/node_modules/axe-core/axe.min.js")  # tools/install-deps --tests


def without_times(report):
    return [line for line in report.splitlines() if not line.startswith("Vreme: ")]


def native(*args, stdin=None, cwd=None):
    return subprocess.run([EXPLAIN, "--text", *args], input=stdin, capture_output=True, encoding="utf-8",
                          errors="replace", cwd=cwd, timeout=60)


def refusal(*args):  # closest_explain's message for options it refuses (it opens no window)
    return subprocess.run([EXPLAIN, *args], capture_output=True, text=True, timeout=30).stderr.strip()


def steps_of(*args):
    return native(*args, "--steps").stdout.splitlines()[4:]


OPTIONS = {}  # a link's parameters and closest_explain's options for them, from the page's own table


def words(query):  # a link's parameters as closest_explain's options (the points come on standard input)
    pairs = urllib.parse.parse_qsl(query[1:], keep_blank_values=True)
    return [w for name, value in pairs if OPTIONS.get(name) and name != "points" for w in (OPTIONS[name], value)]


def numbers(text):  # the numbers a text names, as (x, y) or a list
    return tuple(float(v) for v in re.findall(r"-?\d+(?:\.\d+)?(?:e[-+]?\d+)?", text))


def png_image(png):
    size = subprocess.run(["identify", "-format", "%w %h", "png:-"], input=png, capture_output=True, check=True).stdout
    raw = subprocess.run(["convert", "png:-", "-depth", "8", "bgra:-"], input=png, capture_output=True, check=True).stdout
    return Image(*map(int, size.split()), raw)


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
        cls.browser.set_script_timeout(PATIENCE)  # axe's run
        cls.browser.get(PAGE)
        WebDriverWait(cls.browser, PATIENCE).until(lambda b: b.execute_script("return controls.lists !== null"))
        OPTIONS.update({p["name"]: p["option"] for p in cls.browser.execute_script("return controls.lists.parameters")})

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()

    def tearDown(self):
        errors = [e["message"] for e in self.browser.get_log("browser") if e["level"] == "SEVERE"]
        self.assertEqual(errors, [], "JavaScript errors")

    def open(self, query=""):
        self.browser.get(PAGE + query)
        WebDriverWait(self.browser, PATIENCE).until(lambda b: self.js("return document.getElementById('report').textContent"))

    def text(self, element):
        return self.browser.find_element(By.ID, element).text

    def canvas(self):
        return self.browser.find_element(By.ID, "canvas")

    def picture(self):
        return png_image(self.canvas().screenshot_as_png)

    def js(self, script, *args):
        return self.browser.execute_script(script, *args)

    def key(self, label):
        return self.browser.find_element(By.XPATH, f"//div[@id='keys']/button[text()='{label}']")

    def choice(self, select):
        return self.browser.find_element(By.ID, select).get_attribute("value")

    def choose(self, select, value):
        Select(self.browser.find_element(By.ID, select)).select_by_value(value)

    # A fake clock for the page's timeouts of ms milliseconds: each is held until fire() runs all
    # that are held, one interval gone by, so that no step of a test hangs on how fast it runs.
    def hold_timeouts(self, ms):
        held = self.browser.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": f"""
            const later = setTimeout, cancel = clearTimeout, held = window.heldTimeouts = new Map();
            let last = 1e9;
            window.setTimeout = (f, ms, ...a) => ms === {ms} ? (held.set(++last, () => f(...a)), last) : later(f, ms, ...a);
            window.clearTimeout = id => held.delete(id) || cancel(id);"""})
        self.addCleanup(self.browser.execute_cdp_cmd, "Page.removeScriptToEvaluateOnNewDocument", held)

    def fire(self):  # how many timeouts were held, and the step shown once they ran
        return self.js("const due = [...heldTimeouts.values()]; heldTimeouts.clear(); due.forEach(f => f()); "
                       "return [due.length, page.number('pageStep')]")

    # A drag on the canvas from window pixel (x, y) by (dx, dy), with a button.
    def drag(self, button, x, y, dx, dy):
        actions = ActionBuilder(self.browser)
        actions.pointer_action.move_to(self.canvas(), x - 512, y - 350).pointer_down(button)
        actions.pointer_action.move_by(dx, dy).pointer_up(button)
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
                pairs = [line.split("Izmedju")[1] for line in without_times(expected)]  # said when they differ
                self.assertEqual(self.text("report-note") != "", pairs[0] != pairs[1])
                self.assertEqual(self.browser.find_element(By.ID, "seed").get_attribute("value"), seed or "")

    def test_picture_and_drags_as_in_the_native_window(self):
        self.open()
        self.assertTrue(40 < len(self.picture().where((255, 0, 0))) < 60, "the red pair, a pixel wide")
        drags = [(MouseButton.LEFT, 1, 300, 300, 220, 0), (MouseButton.LEFT, 1, 500, 200, -300, 225),
                 (MouseButton.RIGHT, 3, 300, 300, 150, 0)]
        with XSession() as session:
            process, window, _ = session.launch(os.path.join(BUILD, "programs", "closest2d_fixed14"))
            self.addCleanup(lambda: process.poll() is None and process.kill())
            for step in [None] + drags:
                if step:
                    button, xbutton, x, y, dx, dy = step
                    self.drag(button, x, y, dx, dy)
                    session.xdotool("mousemove", "--window", window, x, y, "mousedown", xbutton, "mousemove",
                                    "--window", window, x + dx, y + dy, "mouseup", xbutton)
                deadline = time.monotonic() + PATIENCE
                while True:  # the 14 dots where the native window has them, within a pixel
                    expected, seen = session.pixels(window).dot_centres(), self.picture().dot_centres()
                    if len(seen) == 14 and all(max(abs(a[0] - b[0]), abs(a[1] - b[1])) <= 1
                                               for a, b in zip(seen, expected)):
                        break
                    self.assertLess(time.monotonic(), deadline, f"{step}: {seen} != {expected}")
                    time.sleep(0.1)
            session.finish(process, window)
        self.browser.set_window_size(390, 844)  # a phone: the canvas fits its box from the start, nothing scrolls
        self.addCleanup(self.browser.set_window_size, 1500, 1400)
        for query in ["", "?explain"]:  # and the step and save buttons a finger's size
            self.open(query)
            self.assertEqual(self.js("const v = document.getElementById('view'), d = document.documentElement; return ["
                                     "canvas.width - v.clientWidth, canvas.height - v.clientHeight, d.scrollWidth - "
                                     "d.clientWidth, Math.min(...[...document.querySelectorAll('#keys button, #save "
                                     "button, #open, #set-open')].flatMap(b => [b.offsetWidth, b.offsetHeight])) >= 44]"),
                             [0, 0, 0, True], query)
        self.assertEqual(len(self.picture().dot_centres()), 14, "the whole set in a narrow picture")

    def test_steps_listing_and_keys_in_both_languages(self):
        link = "?set=lattice&count=20&seed=3&lang=en"  # 17 steps
        en = steps_of(*words(link))
        self.open(link + "&step=17")  # the last step opens (step=18 is refused)
        self.assertEqual((self.text("step-text"), self.text("error")), (en[16], ""))
        self.open(link + "&step=5")
        self.assertEqual(without_times(self.text("report")), without_times(native(*words(link)).stdout))
        calls = [i + 1 for i, line in enumerate(en) if re.match(r"Step \d+ of 17: (Split|All pairs):", line)]
        after, picture = min(c for c in calls if c > 5), self.picture().raw
        back = max(c for c in calls if c < after)
        for label, step in [("Next", 6), ("Previous", 5), ("Next call", after), ("Previous call", back),
                            ("Last step", 17), ("First step", 1)]:
            self.key(label).click()  # as the native window's key does: to the step its stepper goes to
            self.assertEqual(self.text("step-text"), en[step - 1], label)
        self.assertNotEqual(self.picture().raw, picture, "a key changes the picture")
        lines = [int(line[1:line.index("]")]) for line in native(*words(link), "--listing", "--steps")
                 .stdout.splitlines() if line.startswith("[")]
        marked = "return [...document.querySelectorAll('#listing div')].flatMap((e, i) => e.className ? [i + 1] : [])"
        for lang in ["sr", "en"]:
            steps = steps_of(*words(link), "--lang", lang)
            self.choose("lang", lang)
            self.assertEqual(self.text("listing").splitlines(),
                             native("--lang", lang, "--listing").stdout.splitlines()[4:])
            self.assertIn(self.text("step-text"), [steps[0], steps[-1]], "the step shown told again")
            self.canvas().click()
            seen = []
            for key in [Keys.HOME] + [Keys.ARROW_RIGHT] * (len(steps) - 1):
                ActionChains(self.browser).send_keys(key).perform()
                seen.append((self.js(marked), self.text("step-text")))
            self.assertEqual(seen, [([line], text) for line, text in zip(lines, steps)])

    def test_play_pause_play_leaves_one_timer(self):
        self.hold_timeouts(250)  # a step's, at 4 steps a second
        self.open("?set=lattice&count=20&seed=3&lang=en&explain")
        self.js("const play = arguments[0]; play.click(); play.click(); play.click();", self.key("Play or pause"))
        # The first play's timeout is spent without a step; then a step and one timeout an interval.
        self.assertEqual([self.fire() for _ in range(4)], [[2, 2], [1, 3], [1, 4], [1, 5]])

    def test_the_address_keeps_each_parameter(self):
        agent = self.js("return navigator.userAgent")
        for accepted, lang in [("sr-RS", "sr"), ("de", "en")]:  # without lang=, the browser's language
            self.browser.execute_cdp_cmd("Emulation.setUserAgentOverride",
                                         {"userAgent": agent, "acceptLanguage": accepted})
            self.open("?explain")
            WebDriverWait(self.browser, PATIENCE).until(lambda b: b.current_url.endswith("&step=1&lang=" + lang), lang)
        self.open("?set=clusters&count=30&dim=3&seed=11&explain&step=4&lang=sr&digits=2&follow")
        self.assertEqual(self.text("step-text"), steps_of(*words("?set=clusters&count=30&dim=3&seed=11&digits=2"))[3])
        self.assertRegex(self.text("calls"), "Poziv 1: 30 tacaka, podela x = \u2248?[0-9.]{1,3}\n")
        count = self.browser.find_element(By.ID, "count")
        for change, query in [(None, "?set=clusters&count=30&dim=3&seed=11&explain&step=4&lang=sr&digits=2&follow"),
                              (self.key("Napred").click, "&seed=11&explain&step=5&lang=sr&digits=2&follow"),
                              (lambda: self.choose("lang", "en"), "&seed=11&explain&step=5&lang=en&digits=2&follow"),
                              (lambda: self.choose("digits", ""), "&seed=11&explain&step=5&lang=en&follow"),
                              (self.browser.find_element(By.ID, "follow").click, "&step=5&lang=en"),
                              (lambda: (count.clear(), count.send_keys("40", Keys.TAB)),
                               "?set=clusters&count=40&dim=3&seed=11&explain&step=1&lang=en"),
                              (lambda: self.choose("dim", "2"), "&count=40&dim=2&seed=11&explain&step=1&lang=en"),
                              (lambda: self.browser.find_element(By.ID, "seed").send_keys(Keys.BACKSPACE, "2",
                                                                                         Keys.ENTER),
                               "&count=40&dim=2&seed=12&explain&step=1&lang=en")]:
            if change:
                change()
            WebDriverWait(self.browser, PATIENCE).until(lambda b: b.current_url.endswith(query), query)
        picture = self.picture()
        self.canvas().send_keys("f")  # the window's key, the switch and the address follow it
        WebDriverWait(self.browser, PATIENCE).until(lambda b: b.current_url.endswith("&lang=en&follow"))
        self.assertNotEqual(self.picture().raw, picture.raw, "framed on the call")
        self.open("?set=clusters&count=40&dim=2&seed=12&explain&step=1&lang=en&large")  # the records twice as wide
        WebDriverWait(self.browser, PATIENCE).until(lambda b: b.current_url.endswith("&step=1&lang=en&large"))
        self.assertGreater(len(self.picture().where((0, 0, 0))), 2.5 * len(picture.where((0, 0, 0))))  # stubs stay short

    def test_bad_links_are_said_as_closest_explain_says_them_never_as_markup(self):
        kept = "?set=lattice&count=20&seed=3"  # a bad parameter of the view keeps the set, at its first step
        for query, said in [
                ("?program=closest9d", None), ("?set=nope", None), ("?program=closest2d_rand14&seed=-1", None),
                ("?explain&step=8", None), ("?set=line&dim=4", None), ("?set=line&count=abc", None),
                ("?set=line&count=1", None), ("?lang=xx", None), ("?program=closest2d_rand14&seed=", None),
                ("?digits=18", None), ("?set=%3Cb%3Ex%3C/b%3E", None),
                ("?program=%3Cimg%20src=x%20onerror=window.hit=1%3E", None),
                ("?program=closest2d_rand14%00x", "no program 'closest2d_rand14\\x00x'"),
                ("?program=closest2d_rand14&seed=5%00junk", "--seed takes a whole number, not '5\\x00junk'"),
                ("?program=closest2d_rand14&seed=1&seed=2", "the parameter seed is given twice"),
                ("?%1B" + "n" * 3000 + "=1", "unknown parameter '\\x1b" + "n" * 39 + "...'; a link takes program, "
                 "set, count, dim, seed, points, explain, step, lang, digits, follow, large, ask, present and questions"),
                (kept + "&step=3%00junk", "--step takes a whole number, not '3\\x00junk'"),
                (kept + "&step=999", None), (kept + "&lang=xx&step=5", None),
                (kept + "&step=2&step=3", "the parameter step is given twice"),
                (kept + "&explain=no", "explain takes no value, not 'no'"), (kept + "&questions=leaf,nope", None)]:
            self.open(query)
            expected = "closest_explain: " + said if said else refusal(*words(query))
            self.assertTrue(self.text("error").startswith(expected), f"{query}: {self.text('error')}")
            self.assertLess(len(self.text("error")), 300, query)
            if query.startswith(kept):
                held = "questions" in query  # asking, which holds the report back
                self.assertEqual(without_times(self.js("return document.getElementById('report').textContent")),
                                 without_times(native(*words(kept)).stdout))
                self.assertEqual(self.browser.find_element(By.ID, "report").is_displayed(), not held, query)
                self.assertIn(self.text("step-text"), [""] if "explain=no" in query else
                              [steps_of(*words(kept), "--lang", lang)[0] for lang in ["sr", "en"]], query)
                self.assertEqual(self.browser.find_element(By.ID, "seed").get_attribute("value"), "3", "kept")
            else:
                self.assertTrue(self.text("report").startswith("Min: 2.088061; "), "the fixed set instead")
                self.assertEqual(self.js("return document.getElementById('program').value"), "closest2d_fixed14")
            self.assertFalse(self.js("return !!window.hit || !!document.querySelector('#error *')"), "no markup")

    def test_cost_table_and_chart_count_as_closest_explain(self):
        self.open()
        self.js("for (const [id, value] of arguments[0]) document.getElementById(id).value = value",
                [["set", "uniform"], ["dim", "2"], ["seed", "7"], ["cost-most", "1024"]])
        self.browser.find_element(By.ID, "cost-run").click()
        WebDriverWait(self.browser, PATIENCE).until(lambda b: self.text("cost-note").startswith("counted in "))
        table = [line.split() for line in native("--cost", "--set", "uniform", "--count", "1024", "--seed", "7")
                 .stdout.splitlines()]
        rows = self.js("return [...document.querySelectorAll('#cost tr')].map(r => [...r.cells].map(c => c.innerText))")
        counts = lambda rows: [[v for k, v in zip(table[0], row) if not k.endswith("_ms")] for row in rows]  # noqa
        self.assertEqual(counts(rows), counts(table))
        self.assertEqual(self.js("return [...document.querySelectorAll('#cost polyline')].map(p => p.points.length)"),
                         [len(table) - 1] * 4, "the four curves, a point a row")
        # The page's labels about the cost, the tree and the questions, and the chart's, follow the language.
        labels = ("return [...document.querySelectorAll('#cost svg text, dd, summary, #ask-switch, #cost-title, "
                  "#cost-about, #cost-up-to, #cost-records, #cost-run')].map(e => e.textContent)"
                  ".filter(t => /[a-z]/.test(t))"
                  ".concat(['tree', 'levels-box'].map(id => document.getElementById(id).ariaLabel))")
        en = self.js(labels)
        self.choose("lang", "sr")
        sr = self.js(labels)
        self.assertTrue(len(en) == len(sr) == 20 and all(a and b and a != b for a, b in zip(en, sr)), (en, sr))

    def test_points_pasted_chosen_and_refused(self):
        text = "širina,visina,dubina\n0 0 0\n3 4 1\n20 100 2\n40 200 0\n98 503 1\n100 500 2\n130 0 0\n99 502 5\n"
        self.open()
        self.browser.find_element(By.ID, "points-text").send_keys(text)
        self.browser.find_element(By.ID, "points-open").click()
        self.assertEqual(without_times(self.text("report")), without_times(native("--points", "-", stdin=text).stdout))
        picture, report = self.picture().raw, self.text("report")
        # A file's bytes as they are, NULs, byte-order marks and all; refused ones keep the last good set.
        files = [b"1 2\n3 4\n5 6 7\n", b"1 2\n3 4\n\x005 5.1\n5 5\n", b"\x001 2\n3 4\n",
                 "x,y\n1 2\n3 4\n".encode("utf-16"), b"\xef\xbb\xbf\xef\xbb\xbfx,y\n1 2\n3 4\n", "éx,y\n1 2\n3 5\n".encode()]
        with tempfile.TemporaryDirectory() as folder:
            for i, content in enumerate(files):
                with open(os.path.join(folder, f"{i}.csv"), "wb") as f:
                    f.write(content)
                self.js("document.getElementById('error').textContent = 'opening'")
                self.browser.find_element(By.ID, "points-file").send_keys(os.path.join(folder, f"{i}.csv"))
                WebDriverWait(self.browser, PATIENCE).until(lambda b: self.text("error") != "opening")
                expected = native("--points", f"{i}.csv", cwd=folder)
                self.assertEqual(self.text("error"), expected.stderr.strip(), content)
                if i == 0:
                    self.assertEqual(self.picture().raw, picture, "the last good set stays on screen")
                self.assertEqual(without_times(self.text("report")),
                                 without_times(expected.stdout if expected.returncode == 0 else report), content)
        self.browser.find_element(By.ID, "points-text").clear()  # wider than the far plane is deep: still seen
        self.browser.find_element(By.ID, "points-text").send_keys("0 0\n3000 100\n1500 40\n")
        self.browser.find_element(By.ID, "points-open").click()
        self.assertEqual(len(self.picture().dot_centres()), 3)

    def test_a_link_carries_the_points_and_saved_files_read_back(self):  # the steps file: --steps minus the report
        text, folder = "x,y\n0.1 1e-7\n123456.789 0.3\n2.5 -7.125\n1e-7 0.1\n33.3 44.4\n-0.001 5\n12 12.0000001\n" \
            "7.77 -0.5\n1e5 3.14159\n-42.42 8.8\n9.99 1e-3\n0.5 0.25\n", tempfile.mkdtemp()
        self.open("?explain&lang=en")
        self.browser.find_element(By.ID, "points-text").send_keys(text)
        for button in ["points-open", "next", "next"]:
            (self.key("Next") if button == "next" else self.browser.find_element(By.ID, button)).click()
        WebDriverWait(self.browser, PATIENCE).until(lambda b: re.search(r"\?points=[^&]+&explain&step=3&lang=en$", b.current_url))
        self.open("?" + self.browser.current_url.split("?", 1)[1])
        report = without_times(native("--points", "-", stdin=text).stdout)
        self.assertEqual((without_times(self.text("report")), self.text("step-text")),
                         (report, native("--points", "-", "--steps", "--lang", "en", stdin=text).stdout.splitlines()[6]))
        self.browser.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": folder})
        for button, name in [("save-points", "closest-points.txt"), ("save-steps", "closest-steps-en.txt"),
                             ("save-picture", "closest-step-3.png")]:
            self.browser.find_element(By.ID, button).click()
            WebDriverWait(self.browser, PATIENCE).until(lambda b: os.path.exists(os.path.join(folder, name)), name)
        saved = os.path.join(folder, "closest-points.txt")
        self.assertEqual(without_times(native("--points", saved).stdout), report)
        with open(os.path.join(folder, "closest-steps-en.txt")) as steps, open(os.path.join(folder, name), "rb") as png:
            self.assertEqual(steps.read().splitlines(), steps_of("--points", saved, "--lang", "en"))
            rows = 4096 * 680  # the rows above the view's resize grip, which a screenshot shows
            self.assertEqual(png_image(png.read()).raw[:rows], self.picture().raw[:rows])
        # The slide: the step's text above the picture, the listing's marked line and the legend under it.
        self.browser.find_element(By.ID, "save-slide").click()
        slide_file = os.path.join(folder, "closest-slide-3.png")
        WebDriverWait(self.browser, PATIENCE).until(lambda b: os.path.exists(slide_file))
        with open(slide_file, "rb") as png:
            slide, picture = png_image(png.read()), self.picture()
        stride = 4 * picture.width
        top = slide.raw.find(picture.raw[stride * 100:stride * 400]) // stride - 100  # where the picture lies
        text = [y for _, y in slide.where((34, 34, 34))]
        self.assertTrue(slide.width == picture.width and 0 < min(text) < top and
                        max(text) > top + picture.height, (slide.width, top, min(text), max(text)))

    def test_axe_finds_no_violation_and_tab_leaves_the_picture(self):
        with open(AXE) as f:  # run, its violations handed back
            run = f.read() + ";axe.run(document, {resultTypes: ['violations']}).then(r => arguments[0](" \
                "r.violations.map(v => [v.impact, v.id, v.nodes.map(n => n.target.join(' '))])));"
        self.addCleanup(self.browser.set_window_size, 1500, 1400)
        for width, height in [(1500, 1400), (390, 844)]:
            self.browser.set_window_size(width, height)
            for query, clicks in [("?lang=en", []),  # a mode: its link, and what is clicked then
                                  ("?set=lattice&count=20&seed=3&lang=en&explain&step=5", []),
                                  ("?set=lattice&count=20&seed=3&lang=en&ask", ["#keys button"] * 6),
                                  ("?set=lattice&count=20&seed=3&lang=en&explain", ["#edit"])]:
                self.open(query)
                self.js("arguments[0].forEach(s => document.querySelector(s).click())", clicks)
                self.assertEqual(self.browser.execute_async_script(run), [], f"{query} {clicks} {width}x{height}")
        self.open("?explain&lang=en")  # the keyboard alone: Tab leaves the picture, and the focus is seen
        self.canvas().click()
        ActionChains(self.browser).send_keys(Keys.TAB).perform()
        self.assertEqual(self.js("const e = document.activeElement; return [e.id, "
                                 "getComputedStyle(e).outlineWidth]"), ["ask", "3px"])

    ALL_KINDS = "split,leaf,strip,compare,combine,end"

    def records(self):  # the open question's records as buttons
        return self.browser.find_elements(By.CSS_SELECTOR, "#ask-records button")

    # Each kind of question, asked as closest_explain --questions prints it, before the step it holds
    # back; answered right or wrong (by the records' buttons or the two answers), its verdict as the
    # step that follows says; the report held back until the last step.
    def test_questions_asked_as_closest_explain_asks_them(self):
        for link in ["?set=lattice&count=20&seed=3&lang=en", "?set=uniform&count=40&seed=1&lang=sr"]:
            lines = native(*words(link), "--steps", "--questions", self.ALL_KINDS).stdout.splitlines()[4:]
            steps = [line for line in lines if not line.startswith("? ")]
            asked = {steps.index(lines[i + 1]): lines[i][2:] for i, line in enumerate(lines) if line.startswith("? ")}
            self.browser.get(PAGE + link + "&questions=" + self.ALL_KINDS)
            WebDriverWait(self.browser, PATIENCE).until(lambda b: self.text("ask-score"))
            report, answered = self.browser.find_element(By.ID, "report"), []
            while self.text("step-text") != steps[-1]:
                self.assertFalse(report.is_displayed(), self.text("step-text"))
                at = steps.index(self.text("step-text")) + 1  # the step held back
                self.key("Next" if "lang=en" in link else "Napred").click()
                self.assertEqual(self.text("ask-question"), asked.get(at, ""), steps[at])
                if at not in asked:
                    continue
                step, wrong = steps[at], len(answered) % 3 == 2
                kind, right = self.answer(step, wrong)
                answered.append(right)
                self.assertEqual(self.text("step-text"), step)
                verdict = self.text("ask-verdict").split(":")[0]
                self.assertIn(verdict, ["Correct", "Tacno"] if right else ["Not correct", "Netacno"], (kind, step))
            self.assertEqual(len(answered), len(asked) - (0 in asked), "all but the first step's")
            self.assertIn(self.text("ask-score"), [f"right {sum(answered)} of {len(answered)} answered, 0 skipped",
                                                   f"tacno {sum(answered)} od {len(answered)} odgovorenih, preskoceno 0"])
            self.assertTrue(report.is_displayed())
        # Above 64 records a keyboard answers a strip by its counts (the focus on the left one), and the
        # end by the arrow keys and Enter on the picture (the focus there), right and wrong.
        link = "?set=uniform&count=200&seed=1"
        pair = [numbers(p) for p in re.findall(r"\(.*?\)", steps_of(*words(link), "--lang", "en")[-1])]
        for lang, left, verdict, second in [("en", "1", "Correct", pair[1]), ("sr", "2", "Netacno", None)]:
            self.open(link + "&questions=strip,end&step=164&lang=" + lang)
            self.key("Next" if lang == "en" else "Napred").click()
            ActionChains(self.browser).send_keys(left, Keys.TAB, "2", Keys.ENTER).perform()
            self.assertTrue(self.text("ask-verdict").startswith(verdict + ": "), self.text("ask-verdict"))
            self.canvas().send_keys(Keys.RIGHT, Keys.RIGHT, Keys.RIGHT)  # the end's question; its first record
            for target in [pair[0], second]:
                for _ in range(40 if target else 1):
                    at = numbers(self.text("ask-cursor"))
                    dx, dy = (target[0] - at[0], target[1] - at[1]) if target else (1, 0)
                    if dx or dy:
                        self.canvas().send_keys((Keys.RIGHT if dx > 0 else Keys.LEFT) if abs(dx) > abs(dy)
                                                else Keys.UP if dy > 0 else Keys.DOWN)
                self.canvas().send_keys(Keys.ENTER)
            self.assertTrue(self.text("ask-verdict").startswith(verdict + ": "), self.text("ask-verdict"))

    # Answers the open question about step (closest_explain's text of it), right unless wrong: a
    # split by the record on its line, a leaf or the end by its pair's records, a strip by its records
    # when it holds none (else by none, which is wrong), the two answers by the step's verdict.
    def answer(self, step, wrong):
        texts = [b.text for b in self.records()]
        if match := re.search(r"(?:line|prava) x = ([-\d.]+)", step):
            if not wrong:  # the line's x typed
                self.browser.find_element(By.ID, "ask-place").send_keys(match.group(1), Keys.ENTER)
                return "split", True
            self.records()[0].click()  # the records are listed in x order: the first is left of the line
            return "split", False
        match = re.search(r"(?:closest|najblizi) (\(.*?\)) - (\(.*?\))", step) or \
            re.search(r"(?:Izmedju|between) (\(.*?\)) - (\(.*?\))", step)
        if match:
            pair = [numbers(match.group(1)), numbers(match.group(2))]
            chosen = [t for t in texts if numbers(t) in pair]
            if wrong:
                chosen = [chosen[0], [t for t in texts if numbers(t) not in pair][0]]
            for text in chosen:
                self.records()[[b.text for b in self.records()].index(text)].click()
            return "pair", not wrong
        if match := re.search(r"(?:left|levo) (\d+), (?:right|desno) (\d+)", step):
            self.browser.find_element(By.ID, "ask-submit").click()
            return "strip", match.groups() == ("0", "0")
        truth = 1 if re.search(r"not less than|nije manje|the right pair stays|ostaje desni", step) else 0
        self.browser.find_element(By.ID, f"ask-{1 - truth if wrong else truth}").click()
        return "two", not wrong

    # A jump (Last step, Next call) past questions counts them as skipped; a click away from every
    # record answers nothing and says so.
    def test_jumps_count_the_questions_they_pass_as_skipped(self):
        link = "?set=uniform&count=16&seed=1&lang=en"  # a split of 16, two leaves, a combine, ..., the end
        lines = native(*words(link), "--steps", "--questions", "split,leaf,combine,end").stdout.splitlines()[4:]
        steps = [line for line in lines if not line.startswith("? ")]
        asked = [steps.index(lines[i + 1]) for i, line in enumerate(lines) if line.startswith("? ")][1:]  # not the first
        self.browser.get(PAGE + link + "&ask")  # the kinds asked by default
        WebDriverWait(self.browser, PATIENCE).until(lambda b: self.text("ask-score"))
        self.key("Next call").click()
        self.assertEqual(self.text("ask-score"), f"right 0 of 0 answered, {asked.count(1)} skipped")
        self.key("Next").click()
        self.assertTrue(self.text("ask-question").startswith("All pairs: 8 points."), "the second leaf asks")
        ActionChains(self.browser).move_to_element_with_offset(self.canvas(), -500, -340).click().perform()
        self.assertEqual(self.text("ask-chosen"), "no record there: nothing answered")
        self.assertEqual(self.text("ask-score"), f"right 0 of 0 answered, {asked.count(1)} skipped")
        self.key("Last step").click()
        self.assertEqual(self.text("ask-score"), f"right 0 of 0 answered, {len(asked)} skipped")
        self.assertEqual(self.text("step-text"), steps[-1])

    # The tree panel: at the last step its calls are closest_explain --tree's, each at its depth; a
    # call chosen shows its first step; at 10,000 records it folds to the path to the current call.
    def test_tree_of_calls_as_closest_explain_prints_it(self):
        link = "?set=clusters&count=40&seed=4&lang=en"
        tree = subprocess.run([EXPLAIN, *words(link), "--tree"], capture_output=True, text=True).stdout.splitlines()
        starts = [line for line in steps_of(*words(link)) if re.match(r"Step \d+ of \d+: (Split|All pairs)", line)]
        self.open(link + "&explain")
        self.key("Last step").click()
        calls = self.js("return [...document.querySelectorAll('#tree .call')].map(c => [c.textContent, c.style.marginLeft])")
        self.assertEqual([(len(line) - len(line.lstrip())) // 2 for line in tree],
                         [round(float(margin[:-2]) / 1.2) for _, margin in calls])
        self.assertEqual([line.strip() for line in tree], [text for text, _ in calls])
        for i in [len(tree) - 1, 2, 0]:
            self.browser.find_elements(By.CSS_SELECTOR, "#tree .call")[i].click()
            self.assertEqual(self.text("step-text"), starts[i])
            self.assertEqual(self.js("return [...document.querySelectorAll('#tree .current')].map(c => c.textContent)"),
                             [tree[i].strip() if "all pairs" in tree[i] else tree[i].strip().split(", d = ")[0]])
        self.open("?set=uniform&count=10000&seed=4&lang=en&explain&step=5000")
        self.assertLess(len(self.browser.find_elements(By.CSS_SELECTOR, "#tree .call")), 30)
        self.assertEqual(len(self.browser.find_elements(By.CSS_SELECTOR, "#tree .call.current")), 1)
        calls = "return [...document.querySelectorAll('#tree .call')].map(c => [c.className, c.textContent])"
        self.canvas().send_keys(*[Keys.RIGHT] * 60)  # the calls changed step by step as drawn anew
        for lang in ["en", "sr"]:  # and in another language
            self.choose("lang", lang)
            stepped = self.js(calls)
            self.assertEqual(self.js("tree.key = ''; showTree(); " + calls), stepped)

    def points(self):
        return self.js("return page.text('pagePointsText')").splitlines()

    # Touches at canvas pixels: the fingers of each step (a start, then moves), and hold() before they
    # are lifted.
    def touch(self, *steps, hold=None, end="touchEnd"):
        left, top = self.js("const r = canvas.getBoundingClientRect(); return [r.left, r.top]")
        send = lambda kind, fingers: self.browser.execute_cdp_cmd("Input.dispatchTouchEvent", {  # noqa
            "type": kind, "touchPoints": [{"x": left + x, "y": top + y} for x, y in fingers]})
        self.browser.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 2})
        for i, fingers in enumerate(steps):
            send("touchMove" if i else "touchStart", fingers)
        if hold:
            hold()
        send(end, [])

    def test_points_placed_by_hand_undone_redone_and_saved(self):
        self.open("?explain&step=5&lang=en&digits=3")
        self.browser.find_element(By.ID, "edit").click()
        dots, states = self.picture().dot_centres(), [self.points()]
        for press in [lambda: self.drag(MouseButton.LEFT, 60, 60, 0, 0),  # a click adds
                      lambda: self.drag(MouseButton.LEFT, *map(int, dots[0]), 40, 30),  # a drag moves
                      lambda: self.drag(MouseButton.RIGHT, *map(int, dots[5]), 0, 0),  # a right click removes
                      lambda: self.drag(MouseButton.LEFT, 150, 600, 40, 30)]:  # a drag from elsewhere pans
            press()
            states.append(self.points())
            if len(states) == 2:
                # every dot where it was, but those on a split line, whose stub (their half) may move
                self.assertGreaterEqual(len(set(dots) & set(self.picture().dot_centres())), len(dots) - 2,
                                        "the view stays")
        self.assertEqual([len(s) for s in states], [14, 15, 15, 14, 14])
        self.assertEqual([len(set(a) ^ set(b)) for a, b in zip(states, states[1:])], [1, 2, 1, 0])
        self.assertTrue(all(len(number) <= 5 for number in states[1][-1].split()), states[1][-1])
        undo, redo = self.browser.find_element(By.ID, "undo"), self.browser.find_element(By.ID, "redo")
        for act, state in [(undo.click, 2), (lambda: self.canvas().send_keys(Keys.CONTROL, "z"), 1),
                           (redo.click, 2), (lambda: self.canvas().send_keys(Keys.CONTROL, Keys.SHIFT, "z"), 3),
                           (undo.click, 2), (lambda: self.canvas().send_keys(Keys.CONTROL, "y"), 3)]:
            act()
            self.assertEqual(self.points(), states[state])
        self.assertEqual((undo.is_enabled(), redo.is_enabled(), self.js("return page.number('pageStep')")),
                         (True, False, 5))
        WebDriverWait(self.browser, PATIENCE).until(lambda b: "?points=" in b.current_url)
        text = "\n".join(states[3]) + "\n"  # the digits chosen kept: the step, the chooser, the address
        steps = native("--points", "-", "--steps", "--lang", "en", "--digits", "3", stdin=text).stdout.splitlines()
        self.assertEqual((without_times(self.text("report")), self.text("step-text"), self.choice("digits")),
                         (without_times("\n".join(steps[:4])), steps[8], "3"))
        self.assertRegex(self.browser.current_url, "&digits=3(&|$)")
        # Following the call, a point placed by hand keeps the view too (the next click lands where aimed).
        self.open("?explain&step=9&lang=en&follow")
        self.browser.find_element(By.ID, "edit").click()
        dots = self.picture().dot_centres()
        self.drag(MouseButton.LEFT, 60, 60, 0, 0)
        WebDriverWait(self.browser, PATIENCE).until(lambda b: len(self.points()) == 15)
        self.assertGreaterEqual(len(set(dots) & set(self.picture().dot_centres())), len(dots) - 2, "the view stays")

    def test_touch_pans_pinches_and_edits(self):
        self.hold_timeouts(500)  # a long press's: a touch is long only once fire() says so

        def after(act):
            self.open()
            act()
            return self.picture().dot_centres()
        near = lambda a, b: len(a) == len(b) == 14 and all(max(abs(p[0] - q[0]), abs(p[1] - q[1])) <= 1  # noqa
                                                           for p, q in zip(a, b))
        for mouse, finger in [(lambda: self.drag(MouseButton.LEFT, 300, 300, 220, 40),
                               lambda: self.touch([(300, 300)], [(400, 320)], [(520, 340)])),
                              (lambda: self.drag(MouseButton.MIDDLE, 300, 200, 0, 294),  # e^(294/2100): 1.15
                               lambda: self.touch([(385, 300), (615, 300)], [(400, 300), (600, 300)]))]:
            self.assertTrue(near(after(mouse), after(finger)))
        self.browser.find_element(By.ID, "edit").click()
        dot = self.picture().dot_centres()[3]
        self.touch([(60, 60)], end="touchCancel")  # a cancelled touch adds nothing
        self.assertEqual(len(self.points()), 14)
        self.touch([(60, 60)])  # a tap adds
        self.assertEqual(len(self.points()), 15)
        self.touch([dot], hold=self.fire)  # a long press removes
        self.assertEqual(len(self.points()), 14)
        self.open("?program=closest3d_rand14&seed=1")
        self.assertFalse(self.browser.find_element(By.ID, "edit").is_enabled())
        self.assertNotEqual(self.text("edit-why"), "")

    def test_a_large_set_shows_its_work_then_why_it_has_no_steps(self):
        self.open("?explain&lang=en")
        dots = lambda: len(self.picture().where((0, 0, 0)))  # noqa: E731
        few = dots()
        self.js("""const busy = document.getElementById("busy"), open = document.getElementById("set-open");
                   window.seen = [];
                   new MutationObserver(() => seen.push([busy.hidden, busy.textContent !== "", open.disabled]))
                       .observe(busy, {attributes: true, childList: true});
                   document.getElementById("count").value = "200001";
                   document.getElementById("seed").value = "5";""")
        self.browser.find_element(By.ID, "set-open").click()
        note = self.browser.find_element(By.ID, "steps-note")
        WebDriverWait(self.browser, 120).until(lambda b: note.is_displayed() and len(self.js("return seen")) == 2)
        self.assertEqual(self.js("return seen"), [[False, True, True], [True, False, False]], "shown, then gone")
        self.assertEqual("closest_explain: uniform: " + note.text,
                         refusal("--set", "uniform", "--count", "200001", "--seed", "5"))
        self.assertLess(note.location["y"], self.canvas().location["y"], "above the picture")
        # Its picture follows its report, and the picture goes on being redrawn after it.
        WebDriverWait(self.browser, PATIENCE).until(lambda b: dots() > 100 * few)
        many = dots()
        self.browser.find_element(By.ID, "large").click()
        WebDriverWait(self.browser, PATIENCE).until(lambda b: dots() != many)
        self.browser.find_element(By.ID, "large").click()
        self.browser.find_element(By.ID, "explain").click()
        self.assertFalse(note.is_displayed(), "no steps asked for, no note")

    # Every mark a step's legend names is in its picture, in its palette's colour, in projector mode
    # and out of it: a split, a leaf, a combine, a strip, a comparison, an answer and the end.
    def test_every_mark_the_legend_names_is_in_the_picture(self):
        colours = {"grey": (112, 112, 112), "black": (0, 0, 0), "blue": (0, 90, 200), "green": (0, 120, 40),
                   "purple": (110, 30, 160), "magenta": (170, 0, 170), "red": (200, 0, 0), "orange": (180, 90, 0),
                   "teal": (0, 120, 120)}
        for step in [1, 4, 6, 7, 8, 10, 39]:
            for large in ["", "&large"]:
                self.open(f"?set=uniform&count=40&seed=5&explain&step={step}&lang=en{large}")
                picture = self.picture()
                for line in self.text("legend-lines").splitlines()[1:]:
                    named = [c for word, c in colours.items() if re.search(rf"\b{word}\b", line.split(":")[0])]
                    self.assertEqual(len(named), 1, line)
                    self.assertTrue(picture.where(named[0]), (step, large, line))

    # Present mode on a projector's and a laptop's screen: the picture, the step's text, the player's
    # line, the listing's marked line, the legend and an open question all inside the viewport, at a
    # hall's sizes; for a split, a strip, a comparison, a tie and the end.
    def test_present_mode_puts_the_step_on_one_screen(self):
        boxes = """const r = e => { const b = e.getBoundingClientRect();
                     return [b.left, b.top, b.right, b.bottom, parseFloat(getComputedStyle(e).fontSize)]; };
                   const shown = ["canvas", "step-text", "calls", "legend-lines"].map(id => document.getElementById(id));
                   const ask = document.getElementById("ask-box");
                   return [...shown, document.querySelector("#listing .current"), ...(ask.hidden ? [] : [ask])].map(r);"""
        try:
            # On a laptop without present mode, a link with a question opens with the whole picture
            # and the question on the first screen.
            for width, height in [(1366, 768), (1280, 800)]:
                self.browser.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                             {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})
                self.open("?set=uniform&count=40&seed=5&explain&step=8&ask&lang=en")
                self.js("document.getElementById('keys').children[0].click()")  # Next, where it is
                found = self.js(boxes)
                for left, top, right, bottom, _ in [found[0], found[-1]] if len(found) == 6 else []:
                    self.assertTrue(0 <= left < right <= width and 0 <= top < bottom <= height, (width, height, found))
                self.assertEqual(len(found), 6, "the question open")
            for width, height in [(1920, 1080), (1280, 720), (1366, 768)]:
                self.browser.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                             {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})
                for query in ["?set=uniform&count=40&seed=5&explain&step=1", "?set=uniform&count=40&seed=5&explain&step=8",
                              "?set=uniform&count=40&seed=5&explain&step=9", "?set=lattice&count=40&seed=5&explain&step=12",
                              "?set=uniform&count=40&seed=5&explain&step=39", "?set=uniform&count=40&seed=5&explain&step=8&ask"]:
                    self.open(query + "&lang=en&present")
                    if "ask" in query:
                        self.canvas().send_keys(Keys.RIGHT)  # opens the comparison's question
                    WebDriverWait(self.browser, PATIENCE).until(lambda b: self.js("return canvas.height") ==
                                                          self.js("return view.clientHeight"))
                    found = self.js(boxes)
                    self.assertEqual(len(found), 6 if "ask" in query else 5, query)
                    for left, top, right, bottom, size in found:
                        self.assertTrue(0 <= left < right <= width and 0 <= top < bottom <= height,
                                        (width, height, query, left, top, right, bottom))
                    sizes = [f[4] / height for f in found]
                    self.assertGreaterEqual(sizes[1], 0.03, "the step's text")
                    self.assertGreaterEqual(min(sizes[2:5]), 0.022, "the player's line, the legend, the listing")
                    self.assertGreater((found[0][2] - found[0][0]) * (found[0][3] - found[0][1]), width * height / 5)
        finally:
            self.browser.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        self.assertFalse(self.browser.find_element(By.ID, "program").is_displayed(), "the choosers out of the way")
        self.browser.find_element(By.ID, "controls-toggle").click()
        self.assertTrue(self.browser.find_element(By.ID, "program").is_displayed(), "one button brings them back")


if __name__ == "__main__":
    unittest.main()
