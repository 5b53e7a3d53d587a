#!/usr/bin/python3
"""Makes docs/main-window.png: the main window after a calculation.

The picture the README, the user guide and the AppStream data show. The
program starts on a private X display inside a private D-Bus session; with
its starting entries (a flat-ended tank 96 inches across and 324 long, 48
inches of Regular Unleaded at 70 degrees F, in gallons) Perform
Calculations is clicked, the three results and the tank picture are read
back over the accessibility bus, and once two captures in a row agree, the
window alone is saved. The status bar's date and time are those of the
run.

    cmake --build build --target main_window_screenshot

which runs, with the desktop helpers (tools/desktop_kit) on PYTHONPATH,

    /usr/bin/python3 tools/screenshots/main_window.py --program build/app/gaugestar [--out docs/main-window.png]

Needs xvfb, xdotool, imagemagick, x11-utils, dbus, at-spi2-core and
python3-pyatspi (scripts/setup --test installs them). A tool, not a test:
the suite does not run it. Every process it starts, or that starts for it
on its private buses, is ended by its process id.
"""

import argparse
import filecmp
import os
import shutil
import subprocess
import sys

from desktop_kit.session import (MAIN_CAPTION, START_SECONDS, STEP_SECONDS, Failed, checked, end_started,
                                 find, join_accessibility_bus, live_description, log, log_program_output,
                                 poll, private_session, program_to_run, running_application, start_display,
                                 text_of)
from desktop_kit.x_display import Display

HERE = os.path.dirname(os.path.abspath(__file__))

SESSION_MARK = "GAUGESTAR_SCREENSHOT_SESSION"
TOOLS = (("Xvfb", "xvfb"), ("xdotool", "xdotool"), ("import", "imagemagick"), ("xprop", "x11-utils"))

# What the starting entries give; anything else is not the picture meant.
EXPECTED_RESULTS = {"Tank capacity": "10152.32", "Gross volume": "5076.16", "Net volume": "5040.63"}
EXPECTED_PICTURE = "Flat-ended tank, about half full"


def make_screenshot(program, out, workdir):
    started = []   # (name, pid, Popen or None), ended in reverse order
    program_log = os.path.join(workdir, "gaugestar.log")
    try:
        xvfb, display_name = start_display(workdir)
        started.append(("Xvfb", xvfb.pid, xvfb))
        display = Display(display_name, None)

        home = os.path.join(workdir, "home")
        os.makedirs(home)
        env = dict(os.environ)
        for name in ("AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY", "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE",
                     "QT_SCALE_FACTOR", "QT_FONT_DPI"):
            env.pop(name, None)
        # The same look and date format on any machine: Qt's own style, the
        # C locale, no settings of the caller's, no printer.
        env.update(DISPLAY=display_name, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QT_ACCESSIBILITY="1", LC_ALL="C.UTF-8", HOME=home,
                   XDG_CONFIG_HOME=os.path.join(home, ".config"),
                   CUPS_SERVER="127.0.0.1:9")
        with open(program_log, "w") as output:
            app = subprocess.Popen([program], env=env, cwd=home, stdin=subprocess.DEVNULL,
                                   stdout=output, stderr=subprocess.STDOUT)
        started.append(("gaugestar", app.pid, app))

        def main_window():
            return next((window for window, (name, *_place) in display.visible_windows(app.pid).items()
                         if name == MAIN_CAPTION), None)
        window = poll("the main window", START_SECONDS, checked(app, main_window))

        join_accessibility_bus(started)
        application = poll("gaugestar on the accessibility bus", START_SECONDS,
                           checked(app, lambda: running_application(app.pid)))
        wanted = {name: ("text", name) for name in EXPECTED_RESULTS}
        wanted.update(picture=("image", "Tank picture"), button=("push button", "Perform Calculations"))

        def controls():
            frame = find(application, "frame", MAIN_CAPTION)
            found = {key: find(frame, role, name) for key, (role, name) in wanted.items()} if frame else {}
            return found if found and all(found.values()) else None
        nodes = poll("the results, the picture and the button on the accessibility bus", START_SECONDS,
                     checked(app, controls))

        display.click_on(nodes["button"])
        shown = {}

        def calculated():
            shown.update({name: text_of(nodes[name]) for name in EXPECTED_RESULTS},
                         picture=live_description(nodes["picture"]))
            return True if shown == {**EXPECTED_RESULTS, "picture": EXPECTED_PICTURE} else None
        try:
            poll("the results of Perform Calculations", STEP_SECONDS, checked(app, calculated))
        except Failed as failure:
            raise Failed(f"{failure}; the window shows {shown}") from None
        log(f"the window shows {shown}")

        # Painted: two captures in a row that agree (the clock may tick
        # between two).
        captures = [os.path.join(workdir, name) for name in ("first.png", "second.png")]

        def steady():
            for path in captures:
                display.run("import", "-window", window, "-strip", path)
            return True if filecmp.cmp(*captures, shallow=False) else None
        poll("two captures of the window that agree", STEP_SECONDS, checked(app, steady))
        shutil.copyfile(captures[0], out)
        size = display.run("identify", "-format", "%wx%h", out)
        log(f"saved {out} ({size})")
    except Failed:
        log_program_output(program_log)
        raise
    finally:
        end_started(started, "afterwards")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="the gaugestar executable")
    parser.add_argument("--out", default=os.path.join(HERE, "..", "..", "docs", "main-window.png"),
                        help="where the picture goes (default docs/main-window.png)")
    args = parser.parse_args()

    program = program_to_run(args.program, TOOLS)
    if program is None:
        return 1
    out = os.path.abspath(args.out)
    workdir = private_session(SESSION_MARK, "gaugestar-screenshot-", ["--program", program, "--out", out])
    try:
        make_screenshot(program, out, workdir)
    except Failed as failure:
        log(f"FAILED: {failure}")
        return 1
    finally:
        shutil.rmtree(workdir, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
