"""A private virtual X server and what is needed to drive and look at a GLUT window in it:
find the window, read its pixels, close it as a user would (WM_DELETE_WINDOW)."""

import ctypes
import os
import select
import signal
import subprocess
import tempfile
import time

from Xlib import X, display as xdisplay, protocol
from Xlib.ext import damage

TITLE = "Geometrija - prikaz zadatka"
BACKGROUND = (230, 230, 204)


def end_with_parent():
    """Run in a child before it starts: the kernel ends it when this process ends, even by SIGKILL
    (a test killed by its timeout), so that no X server outlives its test."""
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


class XSession:
    def __init__(self, width=1280, height=1024):
        self.dir = tempfile.TemporaryDirectory()
        number_file = os.path.join(self.dir.name, "display")
        with open(number_file, "w") as out:
            self.server = subprocess.Popen(
                ["Xvfb", "-displayfd", str(out.fileno()), "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
                pass_fds=[out.fileno()], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                preexec_fn=end_with_parent)
        deadline = time.monotonic() + 60  # a hang guard: a loaded machine starts it late
        while time.monotonic() < deadline:
            with open(number_file) as f:
                text = f.read().strip()
            if text:
                break
            if self.server.poll() is not None:
                raise RuntimeError("Xvfb exited at start-up")
            time.sleep(0.05)
        else:
            self.server.kill()
            raise RuntimeError("Xvfb did not report a display number")
        self.display_name = ":" + text
        self.env = dict(os.environ, DISPLAY=self.display_name)
        self.x = xdisplay.Display(self.display_name)

    def close(self):
        try:
            self.x.close()
        except Exception:
            pass
        self.server.terminate()
        self.server.wait()
        self.dir.cleanup()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def run(self, *args, **kwargs):
        return subprocess.run(list(args), env=self.env, check=True, capture_output=True, text=True, **kwargs).stdout

    def start(self, *command, env=None, **kwargs):
        """Starts a program on this display, its output piped."""
        return subprocess.Popen(list(command), env=dict(self.env, **(env or {})), stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, text=True, **kwargs)

    def find_window(self, title=TITLE, timeout=60, process=None):
        """The id of the visible window with this title, once there is one. With a process: raises
        ProgramEnded as soon as that process ends without having shown the window."""
        deadline = time.monotonic() + timeout
        while True:
            ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"], env=self.env,
                                 capture_output=True, text=True).stdout.split()
            if ids:
                return int(ids[0])
            if process is not None and process.poll() is not None:
                raise ProgramEnded(process)
            if time.monotonic() > deadline:
                raise RuntimeError(f"no window titled {title!r} appeared within {timeout} s")
            time.sleep(0.05)

    def geometry(self, window):
        """(x, y, width, height) of the window on the screen."""
        w = self.x.create_resource_object("window", window)
        g = w.get_geometry()
        pos = w.translate_coords(self.x.screen().root, 0, 0)
        return (-pos.x, -pos.y, g.width, g.height)

    def title(self, window):
        return self.run("xdotool", "getwindowname", str(window)).strip()

    def pixels(self, window):
        """The window's picture as an Image of (r, g, b) rows."""
        w = self.x.create_resource_object("window", window)
        g = w.get_geometry()
        raw = w.get_image(0, 0, g.width, g.height, X.ZPixmap, 0xFFFFFFFF).data
        return Image(g.width, g.height, raw)

    def wait_for_frame(self, window, timeout=60):
        """Waits until the window shows a drawn frame (its background colour) and returns it."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            image = self.pixels(window)
            if image.at(0, 0) == BACKGROUND:
                return image
            time.sleep(0.05)
        raise RuntimeError("the window never showed a frame")

    def wait_for_redraws(self, window, count=5, timeout=60):
        """Whether the window is drawn into count times more within timeout, with nothing sent to it:
        X's DAMAGE extension reports a drawing into a window with no damage pending, and each report
        clears it (a frame may take two reports, so count 5 means 3 frames at least)."""
        self.x.damage_query_version()
        watch = self.x.create_resource_object("window", window).damage_create(damage.DamageReportNonEmpty)
        deadline, seen = time.monotonic() + timeout, 0
        try:
            while seen < count:
                if not self.x.pending_events():
                    if time.monotonic() > deadline:
                        return False
                    select.select([self.x.fileno()], [], [], 0.5)
                    continue
                if self.x.next_event().type == self.x.extension_event.DamageNotify:
                    seen += 1
                    self.x.damage_subtract(watch)
            return True
        finally:
            self.x.damage_destroy(watch)
            self.x.sync()

    def save_png(self, window, path):
        self.run("import", "-window", str(window), path)

    def close_window(self, window):
        """Asks the window to close, as a window manager does for a user's click on its close box."""
        w = self.x.create_resource_object("window", window)
        protocols = self.x.intern_atom("WM_PROTOCOLS")
        delete = self.x.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=w, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        w.send_event(event, event_mask=X.NoEventMask)
        self.x.sync()

    def xdotool(self, *args):
        self.run("xdotool", *[str(a) for a in args])

    def launch(self, *command, env=None, timeout=60):
        """Starts a program and waits for its window's first frame: (process, window, frame).
        Raises ProgramEnded if the program ends first; kills it if its window does not show."""
        process = self.start(*command, env=env)
        try:
            window = self.find_window(timeout=timeout, process=process)
            return process, window, self.wait_for_frame(window, timeout=timeout)
        except ProgramEnded:
            raise
        except Exception as error:
            try:  # an X error on the window can be the program ending
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.communicate()
                raise error from None
            raise ProgramEnded(process) from None
        except BaseException:
            process.kill()
            process.communicate()
            raise

    def finish(self, process, window, timeout=60):
        """Closes the window as a user would and waits for the program: (stdout, stderr)."""
        try:
            self.close_window(window)
            return process.communicate(timeout=timeout)
        finally:
            if process.poll() is None:
                process.kill()
                process.communicate()


class ProgramEnded(RuntimeError):
    """A program ended before its window showed a frame: its status and what it printed."""

    def __init__(self, process):
        self.out, self.err = process.communicate()
        self.returncode = process.returncode
        super().__init__(f"{process.args[0]} ended with status {self.returncode} before its window showed:\n"
                         + self.out + self.err)


class Image:
    def __init__(self, width, height, raw):
        self.width = width
        self.height = height
        self.raw = raw  # 4 bytes a pixel: blue, green, red, unused

    def rgb(self):
        """The colours alone, to compare pictures: X leaves the fourth byte of each pixel undefined."""
        return self.raw[0::4] + self.raw[1::4] + self.raw[2::4]

    def at(self, x, y):
        i = 4 * (y * self.width + x)
        return (self.raw[i + 2], self.raw[i + 1], self.raw[i])

    def where(self, colour):
        """Every (x, y) of the given colour."""
        b, g, r = colour[2], colour[1], colour[0]
        raw = self.raw
        out = []
        for i in range(0, len(raw), 4):
            if raw[i] == b and raw[i + 1] == g and raw[i + 2] == r:
                p = i // 4
                out.append((p % self.width, p // self.width))
        return out

    def blobs(self, colour):
        """Connected groups (8-neighbourhood) of pixels of a colour, as lists of (x, y)."""
        left = set(self.where(colour))
        groups = []
        while left:
            stack = [left.pop()]
            group = []
            while stack:
                x, y = stack.pop()
                group.append((x, y))
                for dx in (-1, 0, 1):
                    for dy in (-1, 0, 1):
                        n = (x + dx, y + dy)
                        if n in left:
                            left.remove(n)
                            stack.append(n)
            groups.append(group)
        return groups

    def dot_centres(self, colour=(0, 0, 0)):
        """Centres of the dots of a colour, sorted; a 4-pixel dot has its centre between pixels."""
        centres = []
        for group in self.blobs(colour):
            xs = [p[0] for p in group]
            ys = [p[1] for p in group]
            centres.append(((min(xs) + max(xs) + 1) / 2, (min(ys) + max(ys) + 1) / 2))
        return sorted(centres)
