"""Driving Gaugestar on a private X display from outside, as a person would:
xdotool for the mouse and keys, import for screenshots. Where a control is,
the program itself tells (over the accessibility bus), or the keyboard finds
it.
"""

import os
import subprocess

from .session import SCREEN, STEP_SECONDS, Failed, log, poll


class Display:
    """One X display and the tools that work on it; screenshots go to the
    artifacts folder, or nowhere when it is None."""

    def __init__(self, name, artifacts):
        self.env = dict(os.environ, DISPLAY=name)
        self.artifacts = artifacts
        self.shots = 0

    def run(self, tool, *args, check=True, cwd=None):
        try:
            result = subprocess.run([tool, *args], env=self.env, cwd=cwd, stdin=subprocess.DEVNULL,
                                    capture_output=True, text=True, timeout=STEP_SECONDS)
        except subprocess.TimeoutExpired:
            raise Failed(f"{tool} {' '.join(args)} took more than {STEP_SECONDS} s") from None
        if check and result.returncode != 0:
            raise Failed(f"{tool} {' '.join(args)} failed: {result.stderr.strip()}")
        return result.stdout

    def xdotool(self, *args):
        return self.run("xdotool", *args)

    def visible_windows(self, pid):
        """The program's mapped top-level windows: id -> (name, x, y, width, height).
        A window that goes away while it is looked at is left out."""
        found = {}
        listed = self.run("xdotool", "search", "--onlyvisible", "--pid", str(pid), check=False)
        for window in listed.split():
            geometry = self.run("xdotool", "getwindowgeometry", "--shell", window, check=False)
            name = self.run("xdotool", "getwindowname", window, check=False)
            values = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
            try:
                found[window] = (name.rstrip("\n"), int(values["X"]), int(values["Y"]),
                                 int(values["WIDTH"]), int(values["HEIGHT"]))
            except (KeyError, ValueError):
                continue
        return found

    def window_type(self, window):
        return self.run("xprop", "-id", window, "_NET_WM_WINDOW_TYPE", "WM_NAME", check=False)

    def click(self, x, y):
        self.xdotool("mousemove", "--sync", str(x), str(y))
        self.xdotool("click", "1")

    def click_on(self, node):
        """Clicks the middle of the control, where the program says it is
        (over the accessibility bus)."""
        import pyatspi
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        self.click(box.x + box.width // 2, box.y + box.height // 2)

    def key(self, *keys):
        self.xdotool("key", "--delay", "50", *keys)

    def type(self, text):
        self.xdotool("type", "--delay", "30", text)

    def focus(self, window):
        # Without a window manager nothing hands the keyboard to a new
        # dialog but the program itself; this makes sure of it.
        self.run("xdotool", "windowfocus", "--sync", window, check=False)

    def screenshot(self, step):
        """Saves the whole screen as the next numbered picture, if pictures are kept."""
        if self.artifacts is None:
            return None
        self.shots += 1
        path = os.path.join(self.artifacts, f"{self.shots:02d}-{step}.png")
        self.capture(path)
        log(f"screenshot {os.path.basename(path)}")
        return path

    def capture(self, path):
        self.run("import", "-window", "root", path, check=False)


def expect_centred(what, x, y, width, height):
    off_x = abs(2 * x + width - SCREEN[0])
    off_y = abs(2 * y + height - SCREEN[1])
    if off_x > 2 or off_y > 2:
        raise Failed(f"{what} at {width}x{height}+{x}+{y} is not centred on the "
                     f"{SCREEN[0]}x{SCREEN[1]} screen")


def new_window(display, pid, what, known):
    """Waits for exactly one more window of the program than those known."""
    def probe():
        fresh = {window: geometry for window, geometry in display.visible_windows(pid).items()
                 if window not in known}
        return fresh if fresh else None
    fresh = poll(what, STEP_SECONDS, probe)
    if len(fresh) != 1:
        raise Failed(f"{what}: several new windows {fresh}")
    return next(iter(fresh.items()))


def wait_gone(display, pid, what, window):
    poll(f"{what} to close", STEP_SECONDS,
         lambda: True if window not in display.visible_windows(pid) else None)
