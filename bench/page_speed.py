#!/usr/bin/python3
"""The page's speed in headless Chromium: how soon it shows its first frame after it is opened,
and how soon a key shows the next picture when it steps through 100,000 pasted records.

Usage: bench/page_speed.py [build-web/closest.html]   (after cmake --build --preset web)"""

import os
import random
import statistics
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

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
    options.binary_location = "/usr/bin/chromium"
    for flag in ["--headless=new", "--no-sandbox", "--use-gl=swiftshader", "--enable-unsafe-swiftshader",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync", "--no-first-run",
                 "--disable-dev-shm-usage", "--window-size=1500,1400", "--user-data-dir=" + tempfile.mkdtemp()]:
        options.add_argument(flag)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


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
    driver.execute_script("document.getElementById('points-text').value = arguments[0];", points)
    started = time.monotonic()
    driver.find_element(By.ID, "points-open").click()
    WebDriverWait(driver, 120).until(lambda d: d.find_element(By.ID, "step-text").text.startswith("Korak 1 od "))
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
    print(f"page: {os.path.getsize(PAGE[len('file://'):]) / 1024:.0f} KiB")
    driver.quit()


if __name__ == "__main__":
    main()
