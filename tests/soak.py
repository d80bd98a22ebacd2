#!/usr/bin/python3
"""Soak: closest2d_rand10k in a virtual X server under a storm of mouse events (every button and
the wheel, left and right together, drags out of the window, presses never released) and window
resizes. It must keep running and drawing, keep its resident memory flat after warm-up, and
close with status 0.

Usage: tests/soak.py [SECONDS]   (60 by default; CI runs a shorter one)
"""

import os
import random
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tools"))
sys.path.insert(0, HERE)

from Xlib import X  # noqa: E402
from Xlib.ext import xtest  # noqa: E402

from programs import parse_report, path, resident_kib  # noqa: E402
from xsession import BACKGROUND, XSession  # noqa: E402

MIN_EVENTS = 5000
RESIZES = 20
GROWTH_LIMIT_KIB = 1024


def main():
    seconds = float(sys.argv[1]) if len(sys.argv) > 1 else 60
    rng = random.Random(20261206)
    with XSession() as session:
        # Large blocks stay in mmap, so resident memory follows live memory (see README).
        process = session.start(path("closest2d_rand10k"), env={"MALLOC_MMAP_THRESHOLD_": "131072", "MALLOC_ARENA_MAX": "1"})
        x = session.x
        window = x.create_resource_object("window", session.find_window())
        session.wait_for_frame(window.id)

        def resize(width, height):
            window.configure(width=width, height=height)
            x.sync()

        def settle_at_start_size():
            # Resident memory jitters by a megabyte with the frames in flight: take the least
            # of ten readings over a second, at the start-up size.
            resize(1024, 700)
            time.sleep(0.5)
            readings = []
            for _ in range(10):
                readings.append(resident_kib(process.pid))
                time.sleep(0.1)
            return min(readings)

        # Framebuffers follow the window size: reach the largest size of the storm once during
        # warm-up, so that the heap's high-water mark is behind the baseline.
        resize(1200, 900)
        time.sleep(0.3)

        events = resizes = 0
        held = set()
        start = time.monotonic()
        warm_until = start + seconds * 0.25
        baseline = None
        next_resize = start + seconds / (RESIZES + 1)
        while time.monotonic() - start < seconds:
            if process.poll() is not None:
                sys.exit(f"soak: the program ended during the storm, status {process.returncode}")
            if baseline is None and time.monotonic() > warm_until:
                baseline = settle_at_start_size()
            if time.monotonic() > next_resize and resizes < RESIZES:
                resize(rng.randint(200, 1200), rng.randint(1, 900))
                resizes += 1
                next_resize += seconds / (RESIZES + 1)
            for _ in range(10):
                # Screen positions in and around the window (it sits at 100, 50).
                xtest.fake_input(x, X.MotionNotify, x=rng.randint(0, 1279), y=rng.randint(0, 1023))
                button = rng.randint(1, 5)
                if button in held and rng.random() < 0.7:
                    xtest.fake_input(x, X.ButtonRelease, button)
                    held.discard(button)
                elif rng.random() < 0.9:  # some presses are never released
                    xtest.fake_input(x, X.ButtonPress, button)
                    held.add(button)
                events += 2
            x.sync()
            time.sleep(0.02)  # about 1,000 events a second: a storm the program can keep up with
        for button in held:
            xtest.fake_input(x, X.ButtonRelease, button)
        x.sync()

        final = settle_at_start_size()
        frame = session.wait_for_frame(window.id)
        still_draws = frame.at(0, 0) == BACKGROUND
        session.close_window(window.id)
        out, err = process.communicate(timeout=30)

    growth = final - baseline
    print(f"soak: {seconds:g} s, {events} mouse events, {resizes} resizes; resident memory "
          f"{baseline} KiB after warm-up, {final} KiB at the end ({growth:+d} KiB); exit status {process.returncode}")
    parse_report(out)
    problems = []
    if events < MIN_EVENTS:
        problems.append(f"only {events} events")
    if growth >= GROWTH_LIMIT_KIB and not os.environ.get("CLOSEST_SANITIZED"):
        problems.append(f"resident memory grew by {growth} KiB")
    if not still_draws:
        problems.append("the window stopped drawing")
    if process.returncode != 0:
        problems.append(f"exit status {process.returncode}: {err}")
    if problems:
        sys.exit("soak: " + "; ".join(problems))


if __name__ == "__main__":
    main()
