#!/usr/bin/python3
"""Makes docs/main-window.png: the main window after a calculation.

The picture the README and the AppStream data show. The program starts on
a private X display inside a private D-Bus session; with its starting
entries (a flat-ended tank 96 inches across and 324 long, 48 inches of
Regular Unleaded at 70 degrees F, in gallons) Perform Calculations is
clicked, the three results and the tank picture are read back over the
accessibility bus, and once two captures in a row agree, the window alone
is saved. The status bar's date and time are those of the run.

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
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "e2e"))
from x_display import (MAIN_CAPTION, START_SECONDS, STEP_SECONDS, Display, Failed,  # noqa: E402
                       MainWindowPlaces, end_process, log, poll, process_gone, start_display)
from desktop_session import accessibility_bus_pids, find, missing_requirements, text_of  # noqa: E402

SESSION_MARK = "GAUGESTAR_SCREENSHOT_SESSION"
TOOLS = (("Xvfb", "xvfb"), ("xdotool", "xdotool"), ("import", "imagemagick"), ("xprop", "x11-utils"))

# What the starting entries give; anything else is not the picture meant.
EXPECTED_RESULTS = {"Tank capacity": "10152.32", "Gross volume": "5076.16", "Net volume": "5040.63"}
EXPECTED_PICTURE = "Flat-ended tank, about half full"


def live_description(node):
    node.clear_cache()
    return node.description


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

        def checked(probe):
            def run():
                if app.poll() is not None:
                    raise Failed(f"gaugestar ended early with status {app.returncode}")
                return probe()
            return run

        def main_window():
            for window, geometry in display.visible_windows(app.pid).items():
                if geometry[0] == MAIN_CAPTION:
                    return window, geometry
            return None
        window, geometry = poll("the main window", START_SECONDS, checked(main_window))
        places = MainWindowPlaces(geometry)

        import pyatspi
        from gi.repository import Atspi
        # A busy machine answers slowly.
        Atspi.set_timeout(20000, 60000)
        poll("the accessibility registry", START_SECONDS, lambda: pyatspi.Registry.getDesktop(0))
        try:
            for name, pid in accessibility_bus_pids().items():
                started.insert(0, (name, pid, None))
        except Exception as error:
            log(f"could not learn the accessibility bus processes: {error}")

        def fields():
            desktop = pyatspi.Registry.getDesktop(0)
            for index in range(desktop.childCount):
                application = desktop.getChildAtIndex(index)
                if application is None or application.get_process_id() != app.pid:
                    continue
                frame = find(application, "frame", MAIN_CAPTION)
                found = {name: find(frame, "text", name) for name in EXPECTED_RESULTS} if frame else {}
                found["picture"] = find(frame, "image", "Tank picture") if frame else None
                return found if all(found.values()) else None
            return None
        nodes = poll("the results and the picture on the accessibility bus", START_SECONDS, checked(fields))

        display.click(*places.centre_of("Command1"))
        shown = {}

        def calculated():
            shown.update({name: text_of(nodes[name]) for name in EXPECTED_RESULTS},
                         picture=live_description(nodes["picture"]))
            return True if shown == {**EXPECTED_RESULTS, "picture": EXPECTED_PICTURE} else None
        try:
            poll("the results of Perform Calculations", STEP_SECONDS, checked(calculated))
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
        poll("two captures of the window that agree", STEP_SECONDS, checked(steady))
        shutil.copyfile(captures[0], out)
        size = display.run("identify", "-format", "%wx%h", out)
        log(f"saved {out} ({size})")
    except Failed:
        if os.path.exists(program_log):
            with open(program_log) as output:
                log("--- gaugestar's output ---\n" + output.read())
        raise
    finally:
        for name, pid, child in reversed(started):
            end_process(pid, name, child)
        left = [f"{name} (pid {pid})" for name, pid, child in started
                if (child.poll() is None if child is not None else not process_gone(pid))]
        if left:
            raise Failed("still running afterwards: " + ", ".join(left))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="the gaugestar executable")
    parser.add_argument("--out", default=os.path.join(HERE, "..", "..", "docs", "main-window.png"),
                        help="where the picture goes (default docs/main-window.png)")
    args = parser.parse_args()

    needs = missing_requirements(TOOLS)
    if needs:
        log("cannot run: missing " + "; ".join(needs) + " (scripts/setup --test installs them)")
        return 1
    program = os.path.abspath(args.program)
    if not os.access(program, os.X_OK):
        log(f"cannot run: {program} is not an executable")
        return 1
    out = os.path.abspath(args.out)

    workdir = os.environ.get(SESSION_MARK)
    if not workdir:
        # Again, inside a session bus of its own that ends with the script;
        # its runtime folder is this run's, and so is the accessibility
        # bus's socket in it.
        workdir = tempfile.mkdtemp(prefix="gaugestar-screenshot-")
        env = dict(os.environ, **{SESSION_MARK: workdir}, XDG_RUNTIME_DIR=workdir)
        for name in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "DISPLAY", "WAYLAND_DISPLAY"):
            env.pop(name, None)
        os.execvpe("dbus-run-session", ["dbus-run-session", "--", sys.executable, os.path.abspath(__file__),
                                        "--program", program, "--out", out], env)

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
