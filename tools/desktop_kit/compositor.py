"""A headless Weston for Gaugestar on Wayland: the compositor started on a
socket of its own, its output's screenshots, and the clients it starts
itself, which are ended by their ids with it.
"""

import os
import shutil
import subprocess

from .session import SCREEN, START_SECONDS, Failed, accepts_clients, end_process, log, poll
from .x_display import Display

SOCKET = "wayland-gaugestar"
# No on-screen keyboard: the shell's panel and background are Weston's only
# clients. No animations: a screenshot shows a window that has just closed
# as gone, and one just opened at its size.
WESTON_CONFIG = ("[input-method]\npath=\n"
                 "[shell]\nanimation=none\nclose-animation=none\nstartup-animation=none\n"
                 "focus-animation=none\n")


class WaylandDisplay(Display):
    """The compositor's output; screenshots by weston-screenshooter."""

    def __init__(self, runtime, artifacts, scratch):
        super().__init__("", artifacts)
        del self.env["DISPLAY"]
        self.env.update(XDG_RUNTIME_DIR=runtime, WAYLAND_DISPLAY=SOCKET)
        self.scratch = scratch

    def capture(self, path):
        # The tool names its picture after the time, in its working folder.
        self.run("weston-screenshooter", check=False, cwd=self.scratch)
        taken = os.listdir(self.scratch)
        for name in taken:
            shutil.move(os.path.join(self.scratch, name), path)
        if len(taken) != 1:
            log(f"weston-screenshooter left {taken}")


def start_compositor(runtime, weston_log):
    """Weston on its headless backend; --debug lets weston-screenshooter in."""
    config = os.path.join(os.path.dirname(runtime), "weston.ini")
    with open(config, "w") as ini:
        ini.write(WESTON_CONFIG)
    env = dict(os.environ, XDG_RUNTIME_DIR=runtime)
    for name in ("DISPLAY", "WAYLAND_DISPLAY"):
        env.pop(name, None)
    # Weston 10 (Debian 12) knows only these spellings; Weston 14 (Debian 13)
    # still takes them beside its own --backend=headless --renderer=pixman.
    weston = subprocess.Popen(
        ["weston", "--backend=headless-backend.so", "--use-pixman", f"--width={SCREEN[0]}",
         f"--height={SCREEN[1]}", f"--socket={SOCKET}", "--idle-time=0", f"--config={config}",
         "--debug", f"--log={weston_log}"],
        env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def listening():
        if weston.poll() is not None:
            raise Failed(f"weston ended with status {weston.returncode}; see {weston_log}")
        return accepts_clients(os.path.join(runtime, SOCKET))
    try:
        poll("Weston's socket", START_SECONDS, listening)
    except BaseException:
        end_process(weston.pid, "weston", weston)
        raise
    return weston


def children_of(pid):
    try:
        with open(f"/proc/{pid}/task/{pid}/children") as children:
            return [int(child) for child in children.read().split()]
    except OSError:
        return []
