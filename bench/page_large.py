#!/usr/bin/python3
"""The page on large sets beside closest_explain on the same files, as ratios measured in one run:
reading and searching 1,000,000 pasted records against closest_explain --text; 100,000 pasted
records to their report and first step against closest_explain's first window picture; a drag
frame of those 100,000 records, as the programs draw them and at a step.

Usage: bench/page_large.py BUILD_DIR [build-web/closest.html]
    (after cmake --build --preset default and cmake --build --preset web)"""

import os
import random
import statistics
import subprocess
import sys
import tempfile
import time

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from page_speed import browser  # noqa: E402
from xsession import XSession  # noqa: E402

# Milliseconds from a click on Show these points to the report on screen (the frame after the one
# in which the report is written has begun) and to the picture drawn (three frames after the
# job, which may hold its redisplay a frame), and whether the sign of work showed.
OPEN = """
const done = arguments[0], report = document.getElementById("report"), busy = document.getElementById("busy");
let shown = false, answered = null;
new MutationObserver(() => shown = shown || !busy.hidden).observe(busy, {attributes: true, childList: true});
const frames = (count, then) => requestAnimationFrame(() => count > 1 ? frames(count - 1, then) : then());
new MutationObserver(() => {
  if (answered !== null)
    return;
  answered = -1;
  frames(2, () => answered = performance.now() - started);
}).observe(report, {childList: true, characterData: true, subtree: true});
const started = performance.now();
document.getElementById("points-open").click();
(function wait() {
  if (answered === null || answered < 0 || !busy.hidden)
    return setTimeout(wait, 5);
  frames(3, () => done([answered, performance.now() - started, shown]));
})();"""

# Milliseconds from a mouse move to the second animation frame after it, by which its picture has
# been drawn.
MOVE_TO_FRAME = """
window.moveTime = null;
window.addEventListener("mousemove", e => {
  const start = performance.now();
  requestAnimationFrame(() => requestAnimationFrame(() => window.moveTime = performance.now() - start));
}, {once: true, capture: true});"""


# Random 2D records at full precision, within the 1,000 by 1,000 square that the programs' view
# frames (its far plane is 1,000 away).
def write_points(path, count, seed):
    rng = random.Random(seed)
    with open(path, "w") as out:
        out.write("".join(f"{rng.uniform(0, 1000)!r} {rng.uniform(0, 1000)!r}\n" for _ in range(count)))


def native_seconds(command):
    started = time.monotonic()
    subprocess.run(command, capture_output=True, check=True)
    return time.monotonic() - started


def native_first_frame(program, path):
    with XSession() as session:
        started = time.monotonic()
        process, window, _ = session.launch(program, "--points", path, timeout=120)
        seconds = time.monotonic() - started
        session.finish(process, window)
    return seconds


def page_open(driver, path, explain):
    if driver.find_element(By.ID, "explain").is_selected() != explain:
        driver.find_element(By.ID, "explain").click()
    with open(path) as f:
        driver.execute_script("document.getElementById('points-text').value = arguments[0];", f.read())
    # Pasted a while before the click: the browser has laid the text out by then.
    driver.execute_async_script("requestAnimationFrame(() => requestAnimationFrame(() => setTimeout(arguments[0], 500)));")
    answered, drawn, shown = driver.execute_async_script(OPEN)
    driver.execute_script("document.getElementById('points-text').value = '';")
    return answered / 1000, drawn / 1000, shown


def drag_frames(driver, moves=8):
    canvas = driver.find_element(By.ID, "canvas")
    times = []
    ActionChains(driver).move_to_element(canvas).click_and_hold().perform()
    for i in range(moves):
        driver.execute_script(MOVE_TO_FRAME)
        ActionChains(driver).move_by_offset(3 if i % 2 == 0 else -3, 2).perform()
        deadline = time.monotonic() + 60
        while driver.execute_script("return window.moveTime") is None and time.monotonic() < deadline:
            time.sleep(0.01)
        times.append(driver.execute_script("return window.moveTime"))
    ActionChains(driver).release().perform()
    return times


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__.strip())
    program = os.path.join(sys.argv[1], "programs", "closest_explain")
    page = "file://" + os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else "build-web/closest.html")
    with tempfile.TemporaryDirectory() as scratch:
        million, hundred = os.path.join(scratch, "million.txt"), os.path.join(scratch, "hundred.txt")
        write_points(million, 1_000_000, 2)
        write_points(hundred, 100_000, 1)
        text = native_seconds([program, "--text", "--points", million])
        window = native_first_frame(program, hundred)
        driver = browser()
        driver.set_script_timeout(600)
        driver.get(page)
        answered, drawn, shown = page_open(driver, million, False)
        print(f"1,000,000 records: the page reports {answered:.2f} s after the click (picture {drawn:.2f} s; "
              f"sign of work {'shown' if shown else 'not shown'}), closest_explain --text {text:.2f} s: "
              f"{answered / text:.2f} times")
        drags = drag_frames(driver, 3)
        print(f"   a drag frame of them: median {statistics.median(drags):.0f} ms")
        plain = page_open(driver, hundred, False)[1]
        drags = drag_frames(driver)
        print(f"100,000 records as the programs draw them: picture {plain:.2f} s; a drag frame: median "
              f"{statistics.median(drags):.0f} ms, slowest {max(drags):.0f} ms")
        answered, drawn, _ = page_open(driver, hundred, True)
        print(f"100,000 records stepped: report and first step {answered:.2f} s (picture {drawn:.2f} s), "
              f"closest_explain's first window picture {window:.2f} s: {drawn / window:.2f} times")
        drags = drag_frames(driver)
        print(f"   a drag frame at the first step: median {statistics.median(drags):.0f} ms, "
              f"slowest {max(drags):.0f} ms")
        driver.quit()


if __name__ == "__main__":
    main()
