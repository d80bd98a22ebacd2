"""Mouse navigation with real mouse events (xdotool) on closest2d_fixed14 in a virtual X server:
every dot must land where the expected matrices put it."""

import math
import time
import unittest

from programs import FIXED14, FIXED14_PIVOT, eye_point, path, screen_position, start_view
from xsession import XSession


def rotated(eye, degrees, pivot=FIXED14_PIVOT):
    """An eye-space point rotated about the z-parallel axis through the pivot."""
    a = math.radians(degrees)
    x, y = eye[0] - pivot[0], eye[1] - pivot[1]
    return (pivot[0] + x * math.cos(a) - y * math.sin(a), pivot[1] + x * math.sin(a) + y * math.cos(a), eye[2])


def scaled(eye, s, pivot=FIXED14_PIVOT):
    return tuple(c + s * (e - c) for e, c in zip(eye, pivot))


class Navigation(unittest.TestCase):
    def setUp(self):
        self.session = XSession()
        self.process = self.session.start(path("closest2d_fixed14"))
        self.window = self.session.find_window()
        self.dots = self.session.wait_for_frame(self.window).dot_centres()
        self.assertDotsNear(self.dots, [start_view(x, y) for x, y in FIXED14])

    def tearDown(self):
        self.session.close_window(self.window)
        try:
            self.process.communicate(timeout=20)
        finally:
            if self.process.poll() is None:
                self.process.kill()
            self.session.close()
        self.assertEqual(self.process.returncode, 0)

    def drag(self, button, start, end):
        w = self.window
        self.session.xdotool("mousemove", "--window", w, *start, "mousedown", button,
                             "mousemove", "--window", w, *end, "mouseup", button)

    def next_dots(self):
        """The dots of the first frame that differs from the last one seen."""
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            dots = self.session.pixels(self.window).dot_centres()
            if dots != self.dots and len(dots) > 0:
                time.sleep(0.1)  # let a frame or two more pass, then take the settled picture
                self.dots = self.session.pixels(self.window).dot_centres()
                return self.dots
            time.sleep(0.02)
        self.fail("the picture did not change")

    def assertDotsNear(self, dots, expected, delta=1.0):
        expected = sorted(expected)
        self.assertEqual(len(dots), len(expected), dots)
        for dot, want in zip(dots, expected):
            self.assertAlmostEqual(dot[0], want[0], delta=delta, msg=f"{dot} != {want}")
            self.assertAlmostEqual(dot[1], want[1], delta=delta, msg=f"{dot} != {want}")

    def test_left_drag_pans_by_the_drag_over_the_depth(self):
        # The anchor lies on the near plane, 1 unit from the eye; the scene 22 units away moves 1/22 as far.
        self.drag(1, (300, 300), (520, 300))
        self.assertDotsNear(self.next_dots(), [(x + 10, y) for x, y in (start_view(*p) for p in FIXED14)])

    def test_right_drag_rotates_about_the_pivot_axis(self):
        self.drag(3, (600, 300), (700, 400))  # dx > 0: clockwise by 141.4 / 1025 * 180 degrees
        angle = -math.hypot(100, 100) / 1025 * 180
        self.assertDotsNear(self.next_dots(), [screen_position(rotated(eye_point(*p), angle)) for p in FIXED14])
        # The pivot's axis meets the scene at world (22, 8.8); that spot stays put.
        still = screen_position(rotated(eye_point(22, 8.8), angle))
        self.assertAlmostEqual(still[0], start_view(22, 8.8)[0], places=6)

    def test_middle_drag_zooms_about_the_pivot(self):
        self.drag(2, (500, 300), (500, 400))
        s = math.exp(100 / 2100)
        self.assertDotsNear(self.next_dots(), [screen_position(scaled(eye_point(*p), s)) for p in FIXED14])

    def test_left_and_right_together_zoom(self):
        w = self.window
        self.session.xdotool("mousemove", "--window", w, 500, 300, "mousedown", 1, "mousedown", 3,
                             "mousemove", "--window", w, 520, 250, "mouseup", 3, "mouseup", 1)
        s = math.exp(-50 / 2100)
        self.assertDotsNear(self.next_dots(), [screen_position(scaled(eye_point(*p), s)) for p in FIXED14])

    def test_resize_discards_the_navigation(self):
        self.drag(1, (300, 300), (520, 300))
        self.next_dots()
        self.drag(3, (600, 300), (650, 420))
        self.next_dots()
        self.session.xdotool("windowsize", self.window, 800, 600)
        self.assertDotsNear(self.next_dots(), [screen_position(eye_point(*p), 800, 600) for p in FIXED14])


if __name__ == "__main__":
    unittest.main()
