#!/usr/bin/python3
"""Frames per second that a program's window reaches in a virtual X server (continuous redraw).

Usage: bench/fps.py BUILD_DIR [PROGRAM] [SECONDS]   (closest2d_rand10k for 5 s by default)
"""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from xsession import XSession  # noqa: E402


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__.strip())
    build = sys.argv[1]
    program = sys.argv[2] if len(sys.argv) > 2 else "closest2d_rand10k"
    seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 5
    counter = os.path.abspath(os.path.join(build, "bench", "libframe_counter.so"))
    with XSession() as session:
        process = session.start(os.path.join(build, "programs", program), env={"LD_PRELOAD": counter})
        window = session.find_window()
        session.wait_for_frame(window)
        time.sleep(seconds)
        session.close_window(window)
        _, err = process.communicate(timeout=30)
    print(f"{program}: {err.strip()}")


if __name__ == "__main__":
    main()
