#!/usr/bin/python3
"""The page's speed in headless Chromium: how soon it shows its first frame after it is opened,
how soon a key shows the next picture when it steps through 100,000 pasted records, how soon a
point placed by hand among 1,000 records shows its report, steps and picture, and how long the
cost against all pairs takes to count, up to 65,536 records of each kind in 2D and 3D.

Usage: bench/page_speed.py [build-web/closest.html]   (after cmake --build --preset web)"""

import os
import random
import statistics
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from browser import chromium  # noqa: E402

PAGE = "file://" + os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build-web/closest.html")

# Milliseconds from the start of navigation to the first frame drawn with the set on it: the first
# animation frame after the report appears, polled from inside the page.
FIRST_FRAME = """
const done = arguments[0];
(function wait() {
  if (document.getElementById("report").textContent)
    requestAnimationFrame(() => requestAnimationFrame(() => done(performance.now())));
  else
    setTimeout(wait, 1);
})();"""

# Milliseconds from a key's event to the second animation frame after it, by which the picture of
# the step it leads to has been drawn.
KEY_TO_FRAME = """
const done = arguments[0];
window.addEventListener("keydown", e => {
  const start = performance.now();
  requestAnimationFrame(() => requestAnimationFrame(() => done(performance.now() - start)));
}, {once: true, capture: true});"""


def browser():
    options = webdriver.ChromeOptions()
    for flag in ["--headless=new", "--no-sandbox", "--use-gl=swiftshader", "--enable-unsafe-swiftshader",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync", "--no-first-run",
                 "--disable-dev-shm-usage", "--window-size=1500,1400", "--user-data-dir=" + tempfile.mkdtemp()]:
        options.add_argument(flag)
    return chromium(options)


# Milliseconds from a click on Count until the chart is drawn, polled from inside the page, and the
# page's own figure ("counted in 0.2 s ...").
COST = """
const done = arguments[0], started = performance.now(), note = document.getElementById("cost-note");
document.getElementById("cost-run").click();
(function wait() {
  if (note.textContent.startsWith("counted"))
    done([performance.now() - started, note.textContent]);
  else
    setTimeout(wait, 5);
})();"""


# The cost against all pairs up to 65,536 records, for each kind and dimension the page offers.
def cost(driver):
    kinds = [o.get_attribute("value") for o in driver.find_elements(By.CSS_SELECTOR, "#set option")]
    dims = [o.get_attribute("value") for o in driver.find_elements(By.CSS_SELECTOR, "#dim option")]
    driver.execute_script("document.getElementById('seed').value = '7'")
    for kind in kinds:
        for dim in dims:
            driver.execute_script("document.getElementById('set').value = arguments[0];"
                                  "document.getElementById('dim').value = arguments[1];", kind, dim)
            milliseconds, note = driver.execute_async_script(COST)
            print(f"cost of {kind} {dim}D: {note}; {milliseconds / 1000:.2f} s from the click to the chart")


# Milliseconds from an event (its time stamp) to the second animation frame after the change it makes.
EDIT_TO_FRAME = """
window.editTime = null;
const before = page.number("pageEdits");
window.addEventListener(arguments[0], e => {
  (function wait() {
    if (page.number("pageEdits") === before)
      return setTimeout(wait, 0);
    requestAnimationFrame(() => requestAnimationFrame(() => window.editTime = performance.now() - e.timeStamp));
  })();
}, {once: true, capture: true});"""


# Points placed by hand among 1,000 pasted records, steps shown: milliseconds from the press of a
# click (an add) or of Ctrl+Z (an undo) to the second animation frame after the change.
def edits(driver):
    rng = random.Random(2)
    points = "".join(f"{rng.random() * 1000} {rng.random() * 1000}\n" for _ in range(1000))
    driver.execute_script("document.getElementById('points-text').value = arguments[0];", points)
    driver.find_element(By.ID, "points-open").click()
    driver.find_element(By.ID, "edit").click()
    canvas = driver.find_element(By.ID, "canvas")
    for name, act in [("add", lambda i: ActionChains(driver).move_to_element_with_offset(canvas, 10 * i - 300, -250)
                                         .click().perform()),
                      ("undo", lambda i: ActionChains(driver).key_down(Keys.CONTROL).send_keys("z").key_up(Keys.CONTROL)
                                          .perform())]:
        times = []
        for i in range(10):
            driver.execute_script(EDIT_TO_FRAME, "mouseup" if name == "add" else "keydown")
            act(i)
            WebDriverWait(driver, 10).until(lambda d: d.execute_script("return window.editTime"))
            times.append(driver.execute_script("return window.editTime"))
        print(f"an {name} among 1,000 records to its picture: median {statistics.median(times):.0f} ms, "
              f"slowest {max(times):.0f} ms over {len(times)}")


def main():
    driver = browser()
    driver.set_script_timeout(60)
    firsts = []
    for _ in range(5):
        driver.get("about:blank")
        driver.get(PAGE)
        firsts.append(driver.execute_async_script(FIRST_FRAME))
    print(f"first frame: median {statistics.median(firsts):.0f} ms after navigation ({', '.join(f'{t:.0f}' for t in firsts)})")

    rng = random.Random(1)
    points = "".join(f"{rng.random() * 1000} {rng.random() * 1000}\n" for _ in range(100_000))
    driver.find_element(By.ID, "explain").click()
    fixed = driver.find_element(By.ID, "step-text").text
    driver.execute_script("document.getElementById('points-text').value = arguments[0];", points)
    started = time.monotonic()
    driver.find_element(By.ID, "points-open").click()
    WebDriverWait(driver, 120).until(lambda d: d.find_element(By.ID, "step-text").text not in ["", fixed])
    print(f"100,000 pasted records: report and first step in {time.monotonic() - started:.1f} s")
    driver.find_element(By.ID, "canvas").click()
    keys = []
    for key in [Keys.ARROW_RIGHT] * 10 + [Keys.PAGE_DOWN] * 5 + [Keys.END, Keys.HOME]:
        driver.execute_script("window.keyTime = null;" + KEY_TO_FRAME.replace("done(", "window.keyTime = ("))
        ActionChains(driver).send_keys(key).perform()
        WebDriverWait(driver, 10).until(lambda d: d.execute_script("return window.keyTime"))
        keys.append(driver.execute_script("return window.keyTime"))
    print(f"a key to the next picture: median {statistics.median(keys):.0f} ms, slowest {max(keys):.0f} ms "
          f"over {len(keys)} keys")
    edits(driver)
    cost(driver)
    print(f"page: {os.path.getsize(PAGE[len('file://'):]) / 1024:.0f} KiB")
    driver.quit()


if __name__ == "__main__":
    main()
