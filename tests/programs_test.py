# The five programs run for real: their reports, their windows in a virtual X server driven with
# real mouse events, how they end, and their memory over a run.

import ctypes
import math
import os
import random
import re
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from Xlib import X  # noqa: E402
from Xlib.ext import xtest  # noqa: E402
from xsession import TITLE, XSession  # noqa: E402

BUILD = os.environ.get("CLOSEST_BUILD_DIR", os.path.join(os.path.dirname(__file__), "..", "build"))
SANITIZED = bool(os.environ.get("CLOSEST_SANITIZED"))
RANDOM = {"closest2d_rand14": (2, 14, 15), "closest2d_rand10k": (2, 10000, 1000),  # dimension, count, modulus
          "closest3d_rand14": (3, 14, 15), "closest3d_rand10k": (3, 10000, 15)}
FIXED14 = [(0.0, 2.6), (17.6, 3.4), (4.4, 3.0), (19.6, 5.7), (8.8, 5.4), (10.9, 3.2), (2.6, 5.2), (14.2, 7.7),
           (7.4, 1.8), (18.6, 0.0), (5.8, 8.8), (13.2, 1.2), (22.0, 4.8), (15.6, 2.8)]
FAKE_START, FAKE_SECONDS = "2026-01-01 00:00:00", 1767225600  # that moment in UTC
REPORT = re.compile(r"Min: (\S+); Izmedju \(([^)]*)\) - \(([^)]*)\)\nVreme: (\d+\.\d{3})000$", re.M)


def path(name):
    return os.path.join(BUILD, "programs", name)


# The programs' calendar clock stopped at FAKE_START, so that a random program's seed is
# FAKE_SECONDS; the monotonic clock, which times the searches, runs on.
FAKED = {"LD_PRELOAD": "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1", "FAKETIME": FAKE_START, "TZ": "UTC",
         "FAKETIME_DONT_FAKE_MONOTONIC": "1"}


def run_without_display(name, env=None):
    env = dict(os.environ, DISPLAY=":4999", **(env or {}))
    return subprocess.run([path(name)], env=env, capture_output=True, text=True, timeout=120)


# The two searches' (distance, first, second, seconds), from exactly four report lines.
def parse_report(stdout):
    results = [(float(m[0]), tuple(map(float, m[1].split(", "))), tuple(map(float, m[2].split(", "))), float(m[3]))
               for m in REPORT.findall(stdout)]
    assert len(results) == 2 and stdout.count("\n") == 4, stdout
    return results


# The records a random program builds after srand(seed), with the C library's own rand.
def random_set(name, seed):
    dimension, count, modulus = RANDOM[name]
    libc = ctypes.CDLL("libc.so.6")
    libc.srand(ctypes.c_uint(seed))
    return [tuple(float(libc.rand() % modulus) for _ in range(dimension)) for _ in range(count)]


# The smallest distance of a set, by a sweep over x.
def closest_distance(points):
    ordered, best = sorted(points), math.inf
    for i, p in enumerate(ordered):
        for q in ordered[i + 1:]:
            if q[0] - p[0] >= best:
                break
            best = min(best, math.dist(p, q))
    return best


# Window pixel, from the top left, of a world point of closest2d_fixed14 in the start-up view: the
# camera at (11, 4.4), 22 in front of z = 0, under the 60-degree perspective.
def start_view(x, y, width=1024, height=700):
    f = 1 / math.tan(math.radians(30))
    nx, ny = f / (width / height) * (x - 11) / 22, f * (y - 4.4) / 22
    return ((nx + 1) / 2 * width, height - (ny + 1) / 2 * height)


# closest_explain's window: its size, the band of text at the top and the column at the right, and
# both in projector mode, where they hold rows of 24 pixels.
EXPLAIN_WINDOW, BAND, COLUMN = (1180, 740), 82, 567
# In projector mode the texts are a share of the window's height: a band of 3 rows of 3.2%, a column
# of 45% of the width, and a foot of 8 rows of 2.2% across the bottom (a row 1.25 times the text).
LARGE_BAND = round(0.032 * 740 * (3 * 1.25 + 0.5))
LARGE_COLUMN = round(0.45 * 1180)
LARGE_FOOT = round(0.022 * 740 * (8 * 1.25 + 0.5))


# Window pixel of a world point of the fixed set in closest_explain's start-up view: its picture is
# the start-up view of the programs' window drawn in the viewport below the band, left of the column.
def explain_view(x, y, band=BAND, column=COLUMN, foot=0):
    px, py = start_view(x, y, EXPLAIN_WINDOW[0] - column, EXPLAIN_WINDOW[1] - band - foot)
    return px, py + band


def in_picture(x, y):
    return x < EXPLAIN_WINDOW[0] - COLUMN and y >= BAND


# The first frame of the window that satisfies condition; a minute is a hang guard only.
def wait_for(test, session, window, condition, what):
    deadline = time.monotonic() + 60
    while not condition(image := session.pixels(window)):
        test.assertLess(time.monotonic(), deadline, what)
        time.sleep(0.1)
    return image


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        return next(int(line.split()[1]) for line in f if line.startswith("VmRSS:"))


# Growth over the samples less their two largest single rises. A leak grows from sample to
# sample; a one-off step (a buffer or queue that grew once and is kept for reuse) rises once.
def steady_growth(samples):
    rises = sorted(b - a for a, b in zip(samples, samples[1:]))
    return samples[-1] - samples[0] - sum(r for r in rises[-2:] if r > 0)


class Report(unittest.TestCase):
    def test_fixed_set_report_then_no_display(self):
        result = run_without_display("closest2d_fixed14")
        lines = result.stdout.splitlines()
        self.assertEqual(lines[0], "Min: 2.088061; Izmedju (15.600000, 2.800000) - (17.600000, 3.400000)")
        self.assertEqual(lines[2], "Min: 2.08806; Izmedju (15.600000, 2.800000) - (17.600000, 3.400000)")
        parse_report(result.stdout)
        self.assertIn("failed to open display", result.stderr)
        self.assertEqual(result.returncode, 1)

    def test_random_programs_report_the_closest_pair_of_their_seeded_set(self):
        for name in RANDOM:
            with self.subTest(name):
                first = run_without_display(name, FAKED)
                report = parse_report(first.stdout)
                second = run_without_display(name, FAKED)
                self.assertEqual(first.stdout.splitlines()[0::2], second.stdout.splitlines()[0::2],
                                 "two runs in the same second build the same set")
                points = random_set(name, FAKE_SECONDS)
                expected = closest_distance(points)
                for distance, p, q, _ in report:
                    self.assertIn(p, points)
                    self.assertIn(q, points)
                    self.assertAlmostEqual(distance, expected, places=5)
                    self.assertAlmostEqual(math.dist(p, q), expected, places=5)

    @unittest.skipUnless(os.environ.get("FAILING_MALLOC"), "needs the failing-malloc library")
    def test_running_out_of_memory(self):
        for name, size, nth, stdout in [("closest2d_rand10k", 10000 * 16, 1, ""),  # the record array
                                        ("closest3d_rand10k", 10000 * 4, 1, ""),  # the search's x places of the records
                                        ("closest2d_rand10k", 10000 * 16, 2, None)]:  # the vectorised loop's copy
            with self.subTest(name=name, size=size, nth=nth):
                result = run_without_display(name, {"LD_PRELOAD": os.environ["FAILING_MALLOC"],
                                                    "FAIL_MALLOC_SIZE": str(size), "FAIL_MALLOC_NTH": str(nth)})
                if stdout is None:  # the brute force falls back to the plain loop and still reports
                    self.assertEqual(*[line[0] for line in parse_report(result.stdout)])
                else:
                    self.assertEqual((result.stdout, result.stderr, result.returncode),
                                     (stdout, f"{name}: out of memory\n", 1))


class Window(unittest.TestCase):
    def test_each_program_shows_its_set_redraws_and_closes_cleanly(self):
        for name in ["closest2d_fixed14"] + list(RANDOM):
            with self.subTest(name), XSession() as session:
                process, window, frame = session.launch(path(name), env=FAKED)
                geometry = (session.title(window), session.geometry(window))
                redraws = session.wait_for_redraws(window)
                out, _ = session.finish(process, window)
                self.assertEqual((process.returncode, geometry), (0, (TITLE, (100, 50, 1024, 700))))
                self.assertTrue(redraws, "the window redraws continuously, with no event")
                black, red = len(frame.where((0, 0, 0))), len(frame.where((255, 0, 0)))
                if name == "closest2d_fixed14":  # 14 dots of 4 x 4 pixels, a red line 1 pixel wide
                    self.assertEqual(black, 14 * 16)
                    self.assertTrue(40 < red < 60, red)
                    for dot, want in zip(frame.dot_centres(), sorted(start_view(x, y) for x, y in FIXED14)):
                        self.assertLess(math.dist(dot, want), 1.0, f"{dot} != {want}")
                self.assertGreater(black, 0)
                if name.startswith("closest2d") and parse_report(out)[1][0] > 0:  # else it hides under its dots
                    self.assertGreater(red, 0, "the red pair")

    def test_a_resize_restores_the_view_and_a_left_drag_pans(self):
        # The pan keeps the grabbed point, on the near plane, under the cursor: the scene, 22
        # units away, moves 1/22 as far as the cursor.
        # A diagonal drag, unequal in x and y, catches a reversed or swapped axis.
        restored = sorted(start_view(x, y, 800, 600) for x, y in FIXED14)
        steps = [(["windowsize", "W", 800, 600], restored),
                 (["mousemove", "--window", "W", 300, 300, "mousedown", 1, "mousemove", "--window", "W", 520, 300,
                   "mouseup", 1], [(x + 10, y) for x, y in restored]),
                 (["mousemove", "--window", "W", 300, 300, "mousedown", 1, "mousemove", "--window", "W", 410, 520,
                   "mouseup", 1], [(x + 15, y + 10) for x, y in restored])]
        with XSession() as session:
            process, window, _ = session.launch(path("closest2d_fixed14"))
            self.addCleanup(lambda: process.poll() is None and process.kill())
            for command, expected in steps:
                session.xdotool(*[window if a == "W" else a for a in command])
                wait_for(self, session, window, lambda image: len(seen := image.dot_centres()) == 14 and all(
                    math.dist(a, b) < 1.0 for a, b in zip(seen, expected)), f"{command}: not {expected}")
            session.finish(process, window)
        self.assertEqual(process.returncode, 0)

    def test_losing_the_x_server_ends_the_viewer(self):
        for attempt in range(5):  # a write to the closed connection must not end it by SIGPIPE
            session = XSession()
            process, window, _ = session.launch(path("closest2d_rand10k"))
            session.server.kill()
            _, err = process.communicate(timeout=60)  # a hang guard: it ends by itself
            session.close()
            self.assertEqual(process.returncode, 1, err)
            self.assertRegex(err, "X connection|fatal IO error")  # Xlib words it either way


class Explain(unittest.TestCase):
    def explain(self, *args, stdin=None):
        return subprocess.run([path("closest_explain"), *args], input=stdin, capture_output=True, text=True,
                              timeout=120, env=dict(os.environ, DISPLAY=":4999"))

    def test_bad_input_is_refused_with_file_line_and_status_2(self):
        for args, stdin, message in [
                (["--points", "/nowhere"], None, "/nowhere: cannot be read: No such file or directory"),
                (["--frob"], None, "unknown option '--frob'"),
                (["--points", "-"], "\ufeffx,y\n1 2\n3 4 5\n", "-:3: 3 numbers, but the records before have 2")]:
            with self.subTest(args=args, stdin=stdin):
                result = self.explain("--text", *args, stdin=stdin)
                self.assertEqual((result.returncode, result.stdout), (2, ""))
                self.assertTrue(result.stderr.startswith(f"closest_explain: {message}"), result.stderr)
        # Without --text every option, and the step against the steps, is checked before the report.
        for step, message in [("8", "--step 8: the steps are 1 to 7"), ("0", "--step counts from 1")]:
            result = self.explain("--step", step)
            self.assertEqual((result.returncode, result.stdout, result.stderr), (2, "", f"closest_explain: {message}\n"))

    def test_help_and_a_failed_write(self):
        result = self.explain("--help")
        self.assertEqual((result.returncode, result.stderr), (0, ""))
        self.assertTrue(result.stdout.startswith("usage: closest_explain [--like PROGRAM"), result.stdout)
        with open("/dev/full", "w") as full:
            result = subprocess.run([path("closest_explain"), "--text", "--steps"], stdout=full, capture_output=False,
                                    stderr=subprocess.PIPE, text=True, timeout=60)
        self.assertEqual((result.returncode, result.stderr),
                         (1, "closest_explain: cannot write the output: No space left on device\n"))
        for file in ("/dev/full", "/nowhere/slide.png"):
            result = self.explain("--slide", file)
            self.assertEqual((result.returncode, result.stdout, result.stderr),
                             (1, "", f"closest_explain: cannot write {file}\n"))

    def test_like_builds_the_programs_set_and_steps_end_in_its_answer(self):
        program = run_without_display("closest3d_rand14", FAKED)
        result = self.explain("--like", "closest3d_rand14", "--seed", str(FAKE_SECONDS), "--text", "--steps")
        lines = result.stdout.splitlines()
        self.assertEqual(lines[0:4:2], program.stdout.splitlines()[0::2])
        self.assertEqual(result.stderr, f"seed {FAKE_SECONDS}\n")
        total = len(lines) - 4
        self.assertTrue(lines[-1].startswith(f"Korak {total} od {total}: Kraj: {lines[0]}; izracunato "), lines[-1])

    def test_the_strip_step_draws_its_boundaries_and_right_moves_on(self):
        # The fixed set's strip: x = 13.2 -+ 2.088..., in the palette's blue; the next step has no strip.
        def blue(image, x):
            rows = range(BAND, EXPLAIN_WINDOW[1])
            return max(sum(image.at(c, y) == (0, 90, 200) for y in rows) for c in (x - 1, x, x + 1))
        columns = [int(explain_view(13.2 + side * math.sqrt(4.36), 4.4)[0]) for side in (-1, 1)]
        with XSession() as session:
            process, window, frame = session.launch(path("closest_explain"), "--step", "5")
            self.addCleanup(lambda: process.poll() is None and process.kill())
            self.assertEqual([blue(frame, x) > 250 for x in columns], [True, True])  # dotted: half the rows
            session.xdotool("windowfocus", window, "key", "Right")
            wait_for(self, session, window, lambda image: not any(blue(image, x) for x in columns),
                     "the strip stayed after Right")
            session.finish(process, window)
        self.assertEqual(process.returncode, 0)

    def test_texts_beside_the_picture_the_listing_marks_the_step_and_f_frames_its_call(self):
        # Step 1 splits all fourteen records (listing line 4): every black pixel of the picture is a
        # dot, where the viewport below the band and left of the column puts it, and the record on
        # the split line x = 13.2 is drawn whole over the line. Step 2 checks all pairs of the left
        # half (line 3, above), its records black and the others grey.
        def bar_rows(image, column=COLUMN):  # the marked line's bar, in the column
            return [y for y in range(BAND, image.height) if image.at(EXPLAIN_WINDOW[0] - column + 8, y) == (0, 0, 255)]

        def inside(image):
            return [p for p in image.where((0, 0, 0)) if in_picture(*p)]

        def spread(image):
            return [max(p[k] for p in inside(image)) - min(p[k] for p in inside(image)) for k in (0, 1)]
        dots = [explain_view(x, y) for x, y in FIXED14]
        with XSession() as session:
            process, window, frame = session.launch(path("closest_explain"), "--step", "1")
            self.addCleanup(lambda: process.poll() is None and process.kill())
            self.assertEqual(session.geometry(window)[2:], EXPLAIN_WINDOW)
            near = [[p for p in inside(frame) if max(abs(p[0] + 0.5 - x), abs(p[1] + 0.5 - y)) < 4.5] for x, y in dots]
            sx, sy = explain_view(13.2, 1.2)  # the record on the split line, its stub to the right (its half)
            stub = [p for p in inside(frame) if abs(p[1] + 0.5 - sy) < 2 and 4.5 <= p[0] + 0.5 - sx < 14]
            self.assertGreater(len(stub), 8, "the stub of the record on the split line")
            self.assertEqual(sum(map(len, near)) + len(stub), len(inside(frame)), "text or a misplaced dot in the picture")
            self.assertGreaterEqual(min(map(len, near)), 20, "a dot missing")
            x, y = map(int, explain_view(13.2, 1.2))
            self.assertEqual((frame.at(x, y - 30), {frame.at(x + dx, y + dy) for dx in (-2, 0, 2) for dy in (-2, 0, 2)}),
                             ((170, 0, 170), {(0, 0, 0)}), "the split line, and its record over it")
            self.assertGreater(len(frame.where((0, 0, 0))) - len(inside(frame)), 3000, "the texts beside it")
            split = bar_rows(frame)
            session.xdotool("windowfocus", window, "key", "Right")
            start = wait_for(self, session, window, lambda image: bar_rows(image) != split, "the marker stayed")
            self.assertTrue(split and bar_rows(start) and max(bar_rows(start)) < min(split))
            session.xdotool("windowfocus", window, "key", "f")
            framed = wait_for(self, session, window, lambda image: image.rgb() != start.rgb(), "f changed nothing")
            self.assertEqual(len(inside(framed)), len(inside(start)), "every record of the call in the picture")
            self.assertTrue(all(a > 1.5 * b for a, b in zip(spread(framed), spread(start))))
            session.xdotool("windowfocus", window, "key", "f")
            wait_for(self, session, window, lambda image: image.rgb() == start.rgb(), "f again is not the start picture")
            # z and l take effect on the key, at the step shown. z, projector mode: the band and the
            # column grow (the marked line's bar 24 rows high), the picture shrinks into the room left
            # (the outermost records fall outside it), its square dots twice as wide; l takes the legend, the
            # column's last rows, away.
            def dots(image, band, column):  # the centres of the square dots in the picture, and their widths
                def extent(b, k):
                    return max(p[k] for p in b) - min(p[k] for p in b) + 1
                blobs = [b for b in image.blobs((0, 0, 0)) if min(x for x, _ in b) < EXPLAIN_WINDOW[0] - column
                         and min(y for _, y in b) >= band and extent(b, 0) == extent(b, 1) and
                         max(y for _, y in b) < EXPLAIN_WINDOW[1] - (LARGE_FOOT if column == LARGE_COLUMN else 0)]
                return sorted(tuple((min(p[k] for p in b) + max(p[k] for p in b) + 1) / 2 for k in (0, 1))
                              for b in blobs), {max(x for x, _ in b) - min(x for x, _ in b) + 1 for b in blobs}

            def last_text_row(image):
                return max(y for x, y in image.where((0, 0, 0)) if x >= EXPLAIN_WINDOW[0] - LARGE_COLUMN)
            session.xdotool("windowfocus", window, "key", "Home")
            wait_for(self, session, window, lambda image: image.rgb() == frame.rgb(), "Home is not the first step")
            session.xdotool("windowfocus", window, "key", "z")
            want = sorted(p for x, y in FIXED14 if (x, y) != (13.2, 1.2)  # with its stub, no square
                          and 0 <= (p := explain_view(x, y, LARGE_BAND, LARGE_COLUMN, LARGE_FOOT))[0] <
                          EXPLAIN_WINDOW[0] - LARGE_COLUMN)
            large = wait_for(self, session, window, lambda image: len(seen := dots(image, LARGE_BAND, LARGE_COLUMN)[0])
                             == len(want) and all(math.dist(a, b) < 1.0 for a, b in zip(seen, want)), f"z: not {want}")
            self.assertEqual(dots(large, LARGE_BAND, LARGE_COLUMN)[1], {2 * w for w in dots(frame, BAND, COLUMN)[1]})
            self.assertGreaterEqual(len(bar_rows(large, LARGE_COLUMN)), 0.022 * 740 * 1.25 - 1, "a hall's row")
            legend_end, picture = last_text_row(large), dots(large, LARGE_BAND, LARGE_COLUMN)
            session.xdotool("windowfocus", window, "key", "l")
            wait_for(self, session, window, lambda image: last_text_row(image) < legend_end - 3 * 20 and
                     dots(image, LARGE_BAND, LARGE_COLUMN) == picture, "l: the legend stayed")
            session.finish(process, window)
        self.assertEqual(process.returncode, 0)

    def test_projector_mode_sizes_its_texts_for_a_hall_and_remotes_step(self):
        # At 1920 x 1080, z: the band's text 3.2% of the height (its capitals about two thirds of
        # that), the listing's marked line a bar of a 2.2% row, the legend across the bottom; a
        # remote's Page Down then steps one step, and ] jumps to the next call.
        def bar(image):
            return [y for y in range(image.height) if image.at(image.width - 30, y) == (0, 0, 255)]

        def black_rows(image, top, bottom):
            return [y for y in range(top, bottom) if any(image.at(x, y) == (0, 0, 0) for x in range(0, 500, 2))]
        folder, here, height = tempfile.mkdtemp(), os.getcwd(), 1080
        os.chdir(folder)  # where the slide is saved
        self.addCleanup(os.chdir, here)
        args = ["--set", "uniform", "--count", "40", "--seed", "5", "--lang", "en"]
        with XSession(2100, 1200) as session:
            process, window, frame = session.launch(path("closest_explain"), *args, "--step", "8")
            self.addCleanup(lambda: process.poll() is None and process.kill())
            session.xdotool("windowsize", window, "1920", str(height))
            wait_for(self, session, window, lambda image: image.width == 1920 and image.height == height, "no resize")
            session.xdotool("windowfocus", window, "key", "z")
            hall = wait_for(self, session, window, lambda image: len(bar(image)) >= 0.022 * height * 1.2,
                            "z: no hall rows")
            band = black_rows(hall, 0, int(0.032 * height * 1.3))
            self.assertGreaterEqual(max(band) - min(band), 0.032 * height * 0.6, "the band's text too small")
            self.assertTrue(black_rows(hall, int(height * 0.82), height), "the legend across the bottom")
            # Steps 8 and 9 compare (listing line 12), 10 answers (line 13), 11 splits (line 4).
            marked = bar(hall)
            session.xdotool("windowfocus", window, "key", "Next", "key", "Next")
            wait_for(self, session, window, lambda image: bar(image) and min(bar(image)) > max(marked),
                     "two Page Downs: two steps on to the answer's line, not to a call's")
            session.xdotool("windowfocus", window, "key", "bracketright")
            wait_for(self, session, window, lambda image: bar(image) and max(bar(image)) < min(marked),
                     "]: the next call's split")
            # s saves the window as it shows the step, a slide, in the working directory.
            session.xdotool("windowfocus", window, "key", "s")
            slide = os.path.join(folder, "closest-slide-11.png")
            deadline = time.monotonic() + 60  # a hang guard
            while not os.path.exists(slide) and time.monotonic() < deadline:
                time.sleep(0.1)
            saved = subprocess.run(["convert", slide, "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
            shown = session.pixels(window).raw  # blue, green, red and a fourth byte a pixel
            expected = bytearray(len(shown) // 4 * 3)
            expected[0::3], expected[1::3], expected[2::3] = shown[2::4], shown[1::4], shown[0::4]
            self.assertEqual(saved, bytes(expected), "the slide is the window as shown")
            session.finish(process, window)
        self.assertEqual(process.returncode, 0)
        # --slide draws the same slide without a window and without a display, and exits.
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        drawn = subprocess.run([path("closest_explain"), *args, "--step", "11", "--slide", "drawn.png"], env=env,
                               capture_output=True, timeout=120)
        self.assertEqual((drawn.returncode, drawn.stdout, drawn.stderr), (0, b"", b""))
        off = subprocess.run(["convert", "drawn.png", "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
        self.assertEqual(off, saved, "the slide drawn without a display is the window's")


@unittest.skipIf(SANITIZED, "the sanitizer's allocator decides resident memory, and valgrind cannot run it")
class Memory(unittest.TestCase):
    def test_soak_under_every_button_the_wheel_and_resizes(self):
        # Rounds of motion in and around the window (at 100, 50) and presses of every button and the
        # wheel, some never released, chords; every rounds / 20 a trip to another size and back.
        # Once back, with every button let go, the picture is the first frame again when every event
        # sent was handled, and resident memory is read then: a leak grows from trip to trip.
        rounds = int(os.environ.get("CLOSEST_SOAK_ROUNDS", 750))
        rng = random.Random(20261206)
        with XSession() as session:
            # Large blocks stay in mmap, so that resident memory follows live memory.
            process, window, first = session.launch(path("closest2d_rand10k"),
                                                    env={"MALLOC_MMAP_THRESHOLD_": "131072"})
            self.addCleanup(lambda: process.poll() is None and process.kill())
            x, samples = session.x, []
            for round in range(1, rounds + 1):
                for _ in range(10):
                    xtest.fake_input(x, X.MotionNotify, x=rng.randint(0, 1279), y=rng.randint(0, 1023))
                    xtest.fake_input(x, rng.choice([X.ButtonPress, X.ButtonRelease]), rng.randint(1, 5))
                x.sync()
                if round % (rounds // 20) == 0:
                    for button in range(1, 6):
                        xtest.fake_input(x, X.ButtonRelease, button)
                    for size in [(rng.randint(200, 1200), rng.randint(1, 900)), (1024, 700)]:
                        x.create_resource_object("window", window).configure(width=size[0], height=size[1])
                    x.sync()
                    wait_for(self, session, window, lambda image: image.rgb() == first.rgb(), f"round {round}")
                    if round > rounds // 4:
                        samples.append(min(resident_kib(process.pid) for _ in range(5)))
            out, err = session.finish(process, window)
        print(f"resident KiB after each trip: {samples}", file=sys.stderr)
        self.assertEqual(process.returncode, 0, err)
        parse_report(out)
        self.assertLess(steady_growth(samples), 1024, f"resident KiB after each trip: {samples}")

    def test_valgrind_from_start_to_window_close(self):
        # The 10,000-point set: its divide and conquer takes scratch arrays from the heap.
        with XSession() as session:
            process, window, _ = session.launch(
                "valgrind", "--error-exitcode=99", "--leak-check=full", "--errors-for-leak-kinds=definite", "--keep-debuginfo=yes",
                f"--suppressions={os.path.dirname(os.path.abspath(__file__))}/valgrind.supp",
                path("closest2d_rand10k"), timeout=600)  # hang guards: valgrind is slow, the more so under load
            out, err = session.finish(process, window, timeout=600)
        self.assertEqual(process.returncode, 0, err[-4000:])
        self.assertIn("ERROR SUMMARY: 0 errors", err)
        self.assertRegex(err, r"definitely lost: 0 bytes|no leaks are possible")
        parse_report(out)


if __name__ == "__main__":
    unittest.main()
