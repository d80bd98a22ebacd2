#!/usr/bin/python3
"""How closest_explain copes with large sets: --text on a file of random 2D records (time and peak
resident memory), and the window on 100,000 records (time to the first frame, time from a key
press to the next picture, resident memory).

Usage: bench/explain_scale.py BUILD_DIR [TEXT_RECORDS] [WINDOW_RECORDS]   (10,000,000 and 100,000)
"""

import os
import random
import resource
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from xsession import XSession  # noqa: E402


def write_points(path, count, seed):
    rng = random.Random(seed)
    with open(path, "w") as out:
        for start in range(0, count, 100_000):
            out.write("".join(f"{rng.uniform(0, 1e6)!r} {rng.uniform(0, 1e6)!r}\n"
                              for _ in range(min(100_000, count - start))))


def peak_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        return {line.split(":")[0]: int(line.split()[1]) for line in f if line.startswith(("VmRSS", "VmHWM"))}


def text_run(program, path, count):
    started = time.monotonic()
    result = subprocess.run([program, "--text", "--points", path], capture_output=True, text=True)
    seconds = time.monotonic() - started
    peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    print(f"--text, {count} records ({os.path.getsize(path) / 1e6:.0f} MB): {seconds:.2f} s, "
          f"peak resident {peak / 1024:.0f} MiB, status {result.returncode}")
    print("   " + result.stdout.replace("\n", "\n   ").rstrip())


def window_run(program, path, count):
    with XSession() as session:
        started = time.monotonic()
        process, window, frame = session.launch(program, "--points", path, timeout=60)
        opened = time.monotonic() - started
        waits = []
        for key in ["Right", "Right", "Next", "Next", "End", "Left", "Home", "Right", "Right", "Prior"] * 2:
            before = session.pixels(window).raw
            pressed = time.monotonic()
            session.xdotool("windowfocus", window, "key", key)
            while session.pixels(window).raw == before and time.monotonic() - pressed < 5:
                pass
            waits.append(time.monotonic() - pressed)
        memory = peak_kib(process.pid)
        session.finish(process, window)
    print(f"window, {count} records: first frame after {opened:.2f} s; key to next picture: median "
          f"{statistics.median(waits) * 1000:.0f} ms, slowest {max(waits) * 1000:.0f} ms over {len(waits)} keys; "
          f"resident {memory['VmRSS'] / 1024:.0f} MiB, peak {memory['VmHWM'] / 1024:.0f} MiB")


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__.strip())
    program = os.path.join(sys.argv[1], "programs", "closest_explain")
    text_count = int(sys.argv[2]) if len(sys.argv) > 2 else 10_000_000
    window_count = int(sys.argv[3]) if len(sys.argv) > 3 else 100_000
    with tempfile.TemporaryDirectory() as scratch:
        small, large = os.path.join(scratch, "window.txt"), os.path.join(scratch, "text.txt")
        write_points(small, window_count, 1)
        window_run(program, small, window_count)
        write_points(large, text_count, 2)
        text_run(program, large, text_count)


if __name__ == "__main__":
    main()
