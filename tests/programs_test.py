"""The five programs run for real: their reports, their windows under a virtual X server, and
how they end (window closed, no display, no memory)."""

import math
import os
import random
import time
import unittest

from Xlib import X
from Xlib.ext import xtest

from programs import (ALL, FAKE_SECONDS, FAKE_START, RANDOM, closest_distance, parse_report, path, random_set,
                      resident_kib, run_without_display)
from xsession import TITLE, XSession

FAILING_MALLOC = os.environ.get("FAILING_MALLOC", "")


class Report(unittest.TestCase):
    def test_fixed_set_report_lines(self):
        result = run_without_display("closest2d_fixed14")
        lines = result.stdout.splitlines()
        self.assertEqual(lines[0], "Min: 2.088061; Izmedju (15.600000, 2.800000) - (17.600000, 3.400000)")
        self.assertEqual(lines[2], "Min: 2.08806; Izmedju (15.600000, 2.800000) - (17.600000, 3.400000)")
        parse_report(result.stdout)  # four lines, both times in whole milliseconds
        # Without a display GLUT ends the program, after the report, with its own message.
        self.assertIn("failed to open display", result.stderr)
        self.assertEqual(result.returncode, 1)

    def test_random_programs_report_the_closest_pair_of_their_seeded_set(self):
        for name in RANDOM:
            with self.subTest(name):
                first_run = run_without_display(name, faked=True)
                second_run = run_without_display(name, faked=True)
                report = parse_report(first_run.stdout)
                self.assertEqual(first_run.stdout.splitlines()[0::2], second_run.stdout.splitlines()[0::2],
                                 "two runs in the same second build the same set")
                points = random_set(name, FAKE_SECONDS)
                for _, p, q in report:
                    self.assertIn(p, points)
                    self.assertIn(q, points)
                expected = closest_distance(points)
                self.assertAlmostEqual(report[0][0], report[1][0], places=5)
                for distance, p, q in report:
                    self.assertAlmostEqual(distance, expected, places=5)
                    self.assertAlmostEqual(math.dist(p, q), expected, places=5)


@unittest.skipUnless(FAILING_MALLOC, "needs the failing-malloc library")
class OutOfMemory(unittest.TestCase):
    def run_failing(self, name, size, nth=1):
        env = {"LD_PRELOAD": FAILING_MALLOC, "FAIL_MALLOC_SIZE": str(size), "FAIL_MALLOC_NTH": str(nth)}
        return run_without_display(name, env=env)

    def test_failed_array_ends_the_program_with_a_message(self):
        result = self.run_failing("closest2d_rand10k", 10000 * 16)  # the record array
        self.assertEqual(result.stdout, "")
        self.assertEqual(result.stderr, "closest2d_rand10k: out of memory\n")
        self.assertEqual(result.returncode, 1)

    def test_failed_scratch_array_ends_the_program_with_a_message(self):
        result = self.run_failing("closest3d_rand10k", 5000 * 8)  # a scratch array one level down
        self.assertEqual(result.stdout, "")
        self.assertEqual(result.stderr, "closest3d_rand10k: out of memory\n")
        self.assertEqual(result.returncode, 1)

    def test_brute_force_without_its_coordinate_copy_still_reports(self):
        result = self.run_failing("closest2d_rand10k", 10000 * 16, nth=2)  # the vectorised loop's copy
        report = parse_report(result.stdout)
        self.assertEqual(report[0][0], report[1][0])
        self.assertIn("failed to open display", result.stderr)


class Window(unittest.TestCase):
    def test_each_program_shows_its_points_and_closes_cleanly(self):
        for name in ALL:
            with self.subTest(name), XSession() as session:
                # A fixed second: some 3D sets lie wholly outside the start-up view.
                process = session.start("faketime", FAKE_START, path(name), env={"TZ": "UTC"})
                try:
                    window = session.find_window()
                    self.assertEqual(session.title(window), TITLE)
                    self.assertEqual(session.geometry(window), (100, 50, 1024, 700))
                    frame = session.wait_for_frame(window)
                    session.close_window(window)
                    out, _ = process.communicate(timeout=20)
                finally:
                    if process.poll() is None:
                        process.kill()
                self.assertEqual(process.returncode, 0)
                report = parse_report(out)
                self.assertGreater(len(frame.where((0, 0, 0))), 0, "black points")
                if name.startswith("closest2d") and report[1][0] > 0:  # a zero-length pair hides under its dots
                    self.assertGreater(len(frame.where((255, 0, 0))), 0, "the red pair")

    def test_losing_the_x_server_ends_the_viewer_at_once(self):
        session = XSession()
        process = session.start(path("closest2d_rand10k"))
        try:
            session.wait_for_frame(session.find_window())
            session.server.kill()
            started = time.monotonic()
            _, err = process.communicate(timeout=10)
            elapsed = time.monotonic() - started
        finally:
            if process.poll() is None:
                process.kill()
            session.close()
        self.assertLess(elapsed, 1.0)
        self.assertNotEqual(process.returncode, 0)
        self.assertIn("X connection", err)

    @unittest.skipIf(os.environ.get("CLOSEST_SANITIZED"), "the sanitizer's allocator decides resident memory")
    def test_drag_out_of_the_window_keeps_memory_flat(self):
        # freeglut's XInput2 handling kept every pointer event it could not match to the window:
        # half a megabyte a second while a drag roamed outside it.
        rng = random.Random(7)
        with XSession() as session:
            process = session.start(path("closest2d_fixed14"), env={"MALLOC_MMAP_THRESHOLD_": "131072"})
            try:
                window = session.find_window()
                session.wait_for_frame(window)
                x = session.x
                xtest.fake_input(x, X.MotionNotify, x=600, y=300)
                xtest.fake_input(x, X.ButtonPress, 1)
                sizes = []
                for second in range(6):
                    deadline = time.monotonic() + 1
                    while time.monotonic() < deadline:
                        for _ in range(100):
                            xtest.fake_input(x, X.MotionNotify, x=rng.randint(0, 1279), y=rng.randint(0, 1023))
                        x.sync()
                        time.sleep(0.005)
                    sizes.append(resident_kib(process.pid))
                xtest.fake_input(x, X.ButtonRelease, 1)
                x.sync()
                session.close_window(window)
                process.communicate(timeout=20)
            finally:
                if process.poll() is None:
                    process.kill()
        self.assertEqual(process.returncode, 0)
        self.assertLess(sizes[-1] - sizes[1], 256, f"resident KiB, second by second: {sizes}")


if __name__ == "__main__":
    unittest.main()
