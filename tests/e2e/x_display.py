"""Driving Gaugestar on a private X display from outside, as a person would.

Shared by the operator's round (tests/e2e) and the start-up benchmark
(bench/startup): a free display from Xvfb, xdotool for the mouse and keys,
import for screenshots, the main window's controls placed from its
position and the layout's twips, and processes ended by their ids only.
"""

import os
import subprocess

from desktop_session import (SCREEN, START_SECONDS, STEP_SECONDS, STOP_SECONDS,  # noqa: F401
                             Failed, end_process, log, poll, process_gone, start_display)

MAIN_CAPTION = "Ombrix Associates Gaugestar"

# The main window's client area and the controls the operator uses, in
# twips relative to their container, as the window lays them out.
CLIENT_TWIPS = (7125, 6210)
CONTAINERS = {None: (0, 0), "Frame2": (0, 120), "Frame4": (0, 1680), "Frame5": (0, 3840)}
CONTROLS = {
    "txtTankDiameter": ("Frame2", 840, 720, 1095, 285),
    "txtTankLength": ("Frame2", 840, 1080, 1095, 285),
    "txtProductLevel": ("Frame4", 840, 720, 1095, 285),
    "cboVolumeUnits": ("Frame5", 840, 840, 2280, 315),
    "cboTempUnits": ("Frame5", 840, 1320, 2295, 315),
    "Command1": (None, 3600, 4920, 3255, 615),
}

def px(twips):
    return twips // 15


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


class MainWindowPlaces:
    """Where the main window's controls are on the screen: the window's
    position, the menu bar's height and the layout's twips."""

    def __init__(self, geometry):
        _name, x, y, width, height = geometry
        expect_centred("the main window", x, y, width, height)
        if width != px(CLIENT_TWIPS[0]):
            raise Failed(f"the main window is {width} wide, not {px(CLIENT_TWIPS[0])}")
        # The client area is fixed below the menu bar, whose height is
        # whatever the font makes it.
        self.menu_bar_height = height - px(CLIENT_TWIPS[1])
        if not 0 < self.menu_bar_height < 60:
            raise Failed(f"the main window is {height} high: no room for a menu bar above "
                         f"{px(CLIENT_TWIPS[1])} pixels of client area")
        self.origin = (x, y)

    def centre_of(self, control):
        container, left, top, width, height = CONTROLS[control]
        container_left, container_top = CONTAINERS[container]
        return (self.origin[0] + px(container_left) + px(left) + px(width) // 2,
                self.origin[1] + self.menu_bar_height + px(container_top) + px(top) + px(height) // 2)


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
