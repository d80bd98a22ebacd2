"""The GL calls of closest2d_fixed14, recorded with apitrace: the start-up and reshape sequence,
and one whole frame, in order. Calls that GLU makes on our behalf (glMultMatrix*, glTranslated)
and window-system or query calls are left out."""

import os
import subprocess
import tempfile
import time
import unittest

from programs import FIXED14, path
from xsession import XSession

LEFT_OUT = ("glX", "glGet", "glMultMatrix", "glTranslated", "glScissor")


def calls(trace, frame):
    """The calls of one frame of a trace, without comments and the calls left out."""
    with tempfile.TemporaryDirectory() as scratch:
        trimmed = os.path.join(scratch, "frame.trace")
        subprocess.run(["apitrace", "trim", f"--frames={frame}", "-o", trimmed, trace], check=True,
                       capture_output=True)
        dump = subprocess.run(["apitrace", "dump", "--call-nos=no", "--arg-names=no", trimmed], check=True,
                              capture_output=True, text=True).stdout
    return [line for line in dump.splitlines()
            if line and not line.startswith("//") and "// fake" not in line and not line.startswith(LEFT_OUT)]


def vertex(x, y):
    return f"glVertex3f({x:g}, {y:g}, 0)"


class GlCalls(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.TemporaryDirectory()
        cls.trace = os.path.join(cls.dir.name, "fixed14.trace")
        with XSession() as session:
            process = session.start("apitrace", "trace", "-o", cls.trace, path("closest2d_fixed14"))
            try:
                window = session.find_window()
                session.wait_for_frame(window)
                time.sleep(0.3)  # a few frames more
                session.close_window(window)
                process.communicate(timeout=30)
            finally:
                if process.poll() is None:
                    process.kill()

    @classmethod
    def tearDownClass(cls):
        cls.dir.cleanup()

    def test_start_up_then_the_first_reshape(self):
        first = calls(self.trace, 0)
        start = first.index("glClearColor(0.9, 0.9, 0.8, 0)")
        end = first.index("glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT)")
        self.assertEqual(first[start:end], [
            "glClearColor(0.9, 0.9, 0.8, 0)",
            "glMatrixMode(GL_PROJECTION)",   # perspective with aspect 1, then the look-at
            "glLoadIdentity()",
            "glMatrixMode(GL_MODELVIEW)",
            "glLoadIdentity()",
            "glTranslatef(-11, -4.4, -22)",
            "glMatrixMode(GL_PROJECTION)",   # the reshape, which leaves the projection current
            "glLoadIdentity()",
            "glViewport(0, 0, 1024, 700)",
        ])

    def test_a_frame_draws_the_segment_then_every_point_on_its_own(self):
        expected = ["glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT)", "glPushMatrix()",
                    "glPointSize(4)", "glColor3f(1, 0, 0)",
                    "glBegin(GL_LINES)", vertex(15.6, 2.8), vertex(17.6, 3.4), "glEnd()",
                    "glBegin(GL_POINTS)", vertex(15.6, 2.8), vertex(17.6, 3.4), "glEnd()"]
        for x, y in FIXED14:
            expected += ["glColor3f(0, 0, 0)", "glPointSize(4)", "glBegin(GL_POINTS)", vertex(x, y), "glEnd()"]
        expected += ["glPopMatrix()", "glFlush()", "glFlush()"]  # the second flush is freeglut's, in the swap
        self.assertEqual(calls(self.trace, 5), expected)


if __name__ == "__main__":
    unittest.main()
