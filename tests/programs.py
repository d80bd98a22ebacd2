"""Shared by the end-to-end tests: where the programs are, running them, reading their reports,
and rebuilding a random program's point set from its seed with the C library's own rand."""

import ctypes
import math
import os
import re
import subprocess
import sys

BUILD = os.environ.get("CLOSEST_BUILD_DIR", os.path.join(os.path.dirname(__file__), "..", "build"))
PROGRAMS = os.path.join(BUILD, "programs")
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))

# name: (dimension, count, modulus)
RANDOM = {
    "closest2d_rand14": (2, 14, 15),
    "closest2d_rand10k": (2, 10000, 1000),
    "closest3d_rand14": (3, 14, 15),
    "closest3d_rand10k": (3, 10000, 15),
}
ALL = ["closest2d_fixed14"] + list(RANDOM)

FIXED14 = [(0.0, 2.6), (17.6, 3.4), (4.4, 3.0), (19.6, 5.7), (8.8, 5.4), (10.9, 3.2), (2.6, 5.2), (14.2, 7.7),
           (7.4, 1.8), (18.6, 0.0), (5.8, 8.8), (13.2, 1.2), (22.0, 4.8), (15.6, 2.8)]

FAKE_START = "2026-01-01 00:00:00"
FAKE_SECONDS = 1767225600  # that moment in UTC


def path(name):
    return os.path.join(PROGRAMS, name)


def run_without_display(name, env=None, faked=False):
    """Runs a program with a display that does not exist: it reports, then GLUT gives up.
    Faked, the clock stands still at FAKE_START, so the seed is FAKE_SECONDS."""
    command = [path(name)]
    if faked:
        command = ["faketime", "-f", FAKE_START] + command
    full_env = dict(os.environ, DISPLAY=":4999", TZ="UTC", **(env or {}))
    return subprocess.run(command, env=full_env, capture_output=True, text=True, timeout=60)


REPORT = re.compile(r"Min: (\S+); Izmedju \(([^)]*)\) - \(([^)]*)\)$")
TIME = re.compile(r"Vreme: \d+\.\d{3}000$")


def parse_report(stdout):
    """The four report lines as [(distance, first, second), ...] for the two searches."""
    lines = stdout.splitlines()
    assert len(lines) == 4, lines
    assert TIME.match(lines[1]) and TIME.match(lines[3]), lines
    results = []
    for line in (lines[0], lines[2]):
        m = REPORT.match(line)
        assert m, line
        results.append((float(m.group(1)), tuple(map(float, m.group(2).split(", "))),
                        tuple(map(float, m.group(3).split(", ")))))
    return results


def random_set(name, seed):
    """The records a random program builds after srand(seed), in record order."""
    dimension, count, modulus = RANDOM[name]
    libc = ctypes.CDLL("libc.so.6")
    libc.srand(ctypes.c_uint(seed))
    return [tuple(float(libc.rand() % modulus) for _ in range(dimension)) for _ in range(count)]


def closest_distance(points):
    """The smallest distance of a set, by a sweep over x (exact for these integer sets)."""
    ordered = sorted(points)
    best = math.inf
    for i, p in enumerate(ordered):
        for q in ordered[i + 1:]:
            if q[0] - p[0] >= best:
                break
            best = min(best, math.dist(p, q))
    return best


# The start-up camera of closest2d_fixed14: centre (11, 4.4), eye 22 in front of z = 0.
FIXED14_PIVOT = (11.0, 4.4, 22.0)


def eye_point(x, y, z=0.0, pivot=FIXED14_PIVOT):
    """A world point in eye coordinates, through the camera translation alone."""
    return (x - pivot[0], y - pivot[1], z - pivot[2])


def screen_position(eye, width=1024, height=700):
    """Pixels from the window's top left of an eye-space point, under the 60-degree perspective."""
    f = 1 / math.tan(math.radians(30))
    nx = f / (width / height) * eye[0] / -eye[2]
    ny = f * eye[1] / -eye[2]
    return ((nx + 1) / 2 * width, height - (ny + 1) / 2 * height)


def start_view(x, y):
    return screen_position(eye_point(x, y))


def resident_kib(pid):
    """A process's resident memory in KiB."""
    with open(f"/proc/{pid}/status") as f:
        return next(int(line.split()[1]) for line in f if line.startswith("VmRSS:"))
