"""closest2d_fixed14 under valgrind in a virtual X server, closed as a user would: no invalid
read or write, nothing definitely lost (apart from Mesa's driver, see valgrind.supp)."""

import os
import unittest

from programs import parse_report, path
from xsession import XSession

HERE = os.path.dirname(os.path.abspath(__file__))


class Valgrind(unittest.TestCase):
    def test_fixed14_is_clean_from_start_to_window_close(self):
        with XSession() as session:
            process = session.start("valgrind", "--error-exitcode=99", "--leak-check=full",
                                    "--errors-for-leak-kinds=definite", "--keep-debuginfo=yes",
                                    f"--suppressions={HERE}/valgrind.supp", path("closest2d_fixed14"))
            try:
                window = session.find_window(timeout=180)
                session.wait_for_frame(window, timeout=180)
                session.close_window(window)
                out, err = process.communicate(timeout=180)
            finally:
                if process.poll() is None:
                    process.kill()
        self.assertEqual(process.returncode, 0, err[-4000:])
        self.assertIn("ERROR SUMMARY: 0 errors", err)
        self.assertRegex(err, r"definitely lost: 0 bytes|no leaks are possible")
        parse_report(out)


if __name__ == "__main__":
    unittest.main()
