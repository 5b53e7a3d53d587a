"""The operator's round, its steps and checks, and the hands that work the
program on X (the mouse and keys). Imported by the two rounds that run it,
operator_round.py on X and wayland_round.py with hands of its own; a module,
not a script.
"""

import argparse
import os
import shutil
import signal
import subprocess
import time

from desktop_kit.session import (MAIN_CAPTION, START_SECONDS, STEP_SECONDS, Failed, checked, end_started,
                                 expect_running, find, is_showing, join_accessibility_bus, log,
                                 log_program_output, poll, private_session, program_to_run,
                                 running_application, start_display, text_of, walk)
from desktop_kit.x_display import Display, expect_centred, new_window, wait_gone

# Set in the environment once the script runs inside its own session bus.
SESSION_MARK = "GAUGESTAR_E2E_SESSION"
# A sanitized build's false alarm in the X keyboard library, silenced for
# the program alone.
XCB_SUPPRESSIONS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "xcb_asan.supp")

# The whole round ends itself, cleaning up and saying where it stood,
# before CTest's limit of 300 s would cut it short.
ROUND_SECONDS = 270

SPLASH_CLIENT_TWIPS = (5715, 3405)
SPLASH_SECONDS = 2.0
# How late the main window may follow the splash on a machine busy with a
# build on every core; the figure itself is printed.
SPLASH_LATENESS_SECONDS = 8.0

# The worked example: a flat-ended tank 12 inches across and 24 long in
# gallons, 6 inches of product at 70 degrees F (Ce 0.0007 per degree,
# reference 60). Capacity pi * 6^2 * 24 / 231 = 11.750373 gallons; half of
# it, 5.875186, at the level; 5.875186 * (1 - 10 * 0.0007) = 5.834060 net.
ENTRIES = [("Diameter", "12"), ("Length", "24"), ("Product level", "6")]
EXPECTED_RESULTS = {"Tank capacity": "11.75", "Gross volume": "5.88", "Net volume": "5.83"}
INCREMENT = "3"
CHART_NAME = "tank-chart-12x24.txt"
EXPECTED_CHART = (
    b"LEVEL RANGE         LEVEL/VOLUME,     LEVEL/VOLUME,      LEVEL/VOLUME\r\n"
    b"  0.00 -   6.00     0.00,     0.00    3.00,     2.30    6.00,     5.88  \r\n"
    b"  9.00 -  12.00     9.00,     9.45   12.00,    11.75  \r\n")

NOTICE = ("The tank chart will be generated as a text file in the Gaugestar root directory.  "
          "Please name the filen and select if you would like to print it at this time.")
PROMPT = "In what increments would you like the tank chart generated."
QUESTION = "Tank Chart Saved OK. Do you want to print it out now ?"


def expect_splash_size(width, height):
    client = (SPLASH_CLIENT_TWIPS[0] // 15, SPLASH_CLIENT_TWIPS[1] // 15)
    # The client area and a thin raised edge around it.
    if not (client[0] <= width <= client[0] + 8 and client[1] <= height <= client[1] + 8):
        raise Failed(f"the splash is {width}x{height}, not about {client[0]}x{client[1]}")


# --- the round ------------------------------------------------------------

class Round:
    TITLE = "the operator's round"
    TOOLS = (("Xvfb", "xvfb"), ("xdotool", "xdotool"), ("import", "imagemagick"),
             ("xprop", "x11-utils"))

    def __init__(self, program, workdir, artifacts):
        self.program = program
        self.workdir = workdir
        self.artifacts = artifacts
        self.program_log = os.path.join(artifacts, "gaugestar.log")
        self.started = []   # (name, pid, Popen or None), ended in reverse order
        self.display = None
        self.app = None
        self.application = None   # the program on the accessibility bus
        self.bus_started = False

    # Processes ------------------------------------------------------------

    def start(self):
        # A home, configuration and runtime folder of its own, so that no
        # remembered state could come in and whatever went out is seen; the
        # file dialog opens in an empty working folder.
        home = self.home = os.path.join(self.workdir, "home")
        runtime = self.runtime = os.path.join(self.workdir, "runtime")
        run_dir = os.path.join(self.workdir, "run")
        self.run_dir = run_dir
        self.chart_dir = os.path.join(home, "charts")
        for folder in (home, runtime, run_dir, self.chart_dir):
            os.makedirs(folder, mode=0o700)
        display_env = self.start_display()
        env = dict(os.environ)
        for name in ("AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY", "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE"):
            env.pop(name, None)
        env.update(display_env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                   HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                   XDG_CACHE_HOME=os.path.join(home, ".cache"),
                   XDG_DATA_HOME=os.path.join(home, ".local", "share"),
                   XDG_RUNTIME_DIR=runtime,
                   # The round answers No to printing: no printer is needed,
                   # and the print system it sees is one that is not there.
                   CUPS_SERVER="127.0.0.1:9")
        sanitizer_options = env.get("ASAN_OPTIONS", "")
        if "suppressions=" in sanitizer_options:
            log(f"ASAN_OPTIONS names its own suppressions; {XCB_SUPPRESSIONS} is left out")
        else:
            env["ASAN_OPTIONS"] = ":".join(filter(None, [sanitizer_options, f"suppressions={XCB_SUPPRESSIONS}"]))
        self.exec_time = time.monotonic()
        with open(self.program_log, "w") as output:
            self.app = subprocess.Popen([self.program], env=env, cwd=run_dir, stdin=subprocess.DEVNULL,
                                        stdout=output, stderr=subprocess.STDOUT)
        self.started.append(("gaugestar", self.app.pid, self.app))
        log(f"gaugestar started, pid {self.app.pid}")

    def start_display(self):
        """Starts the display server; returns what the program's environment
        needs to reach it."""
        xvfb, display_name = start_display(self.workdir)
        self.started.append(("Xvfb", xvfb.pid, xvfb))
        log(f"display {display_name}, Xvfb pid {xvfb.pid}")
        self.display = Display(display_name, self.artifacts)
        return dict(DISPLAY=display_name, QT_QPA_PLATFORM="xcb")

    def stop(self):
        end_started(self.started, "after the round")

    def alive(self):
        expect_running(self.app)

    def windows(self):
        self.alive()
        return self.display.visible_windows(self.app.pid)

    def new_window(self, what):
        self.alive()
        return new_window(self.display, self.app.pid, what, {self.main})

    def wait_gone(self, what, window):
        wait_gone(self.display, self.app.pid, what, window)

    def checked(self, probe):
        return checked(self.app, probe)

    # The splash and the main window ------------------------------------

    def splash_then_main_window(self):
        """The first window is the splash, without a title; after about two
        seconds it makes way for the main window."""
        shown = poll("the first window", START_SECONDS, lambda: self.windows() or None, interval=0.02)
        splash_seen = time.monotonic()
        if len(shown) != 1:
            raise Failed(f"the first windows are {shown}, not the splash alone")
        splash, (name, x, y, width, height) = next(iter(shown.items()))
        log(f"first window after {splash_seen - self.exec_time:.2f} s: {width}x{height}+{x}+{y}")
        properties = self.display.window_type(splash)
        if "_NET_WM_WINDOW_TYPE_SPLASH" not in properties:
            raise Failed(f"the first window is no splash window: {properties.strip()}")
        caption = next((line.split("=", 1)[1].strip().strip('"') for line in properties.splitlines()
                        if line.startswith("WM_NAME") and "=" in line), "")
        if caption:
            raise Failed(f"the splash carries the caption {caption!r}")
        expect_splash_size(width, height)
        expect_centred("the splash", x, y, width, height)
        self.display.screenshot("splash")

        # Between the splash closing and the main window showing there is a
        # moment without a window; the program must live through it.
        def main_window():
            shown = self.windows()
            for window, (name, *_rest) in shown.items():
                if name == MAIN_CAPTION:
                    return window, shown
            return None
        self.main, shown = poll("the main window", START_SECONDS, main_window, interval=0.02)
        if splash in shown or len(shown) != 1:
            raise Failed(f"the splash did not make way for the main window: {shown}")
        self.expect_splash_time(splash_seen)
        expect_centred("the main window", *shown[self.main][1:])
        log(f"main window {shown[self.main][1:]}")
        self.display.screenshot("main-window")

    def expect_splash_time(self, splash_seen):
        """The main window, just seen, came about two seconds after the splash."""
        main_seen = time.monotonic()
        after_start = main_seen - self.exec_time
        after_splash = main_seen - splash_seen
        log(f"main window after {after_start:.2f} s from the start, {after_splash:.2f} s after "
            "the splash was first seen")
        if after_start < SPLASH_SECONDS:
            raise Failed(f"the main window came {after_start:.2f} s after the start, "
                         f"before the splash's {SPLASH_SECONDS} s were up")
        if not (SPLASH_SECONDS / 2 <= after_splash <= SPLASH_SECONDS + SPLASH_LATENESS_SECONDS):
            raise Failed(f"the main window came {after_splash:.2f} s after the splash, "
                         "not about two seconds")

    # Reading over the accessibility bus --------------------------------

    def start_accessibility_bus(self):
        """Asking for the desktop starts this session's accessibility bus and
        registry; their processes are ended with the round's."""
        if self.bus_started:
            return
        join_accessibility_bus(self.started)
        self.bus_started = True

    def find_application(self):
        self.application = poll("gaugestar on the accessibility bus", START_SECONDS,
                                self.checked(lambda: running_application(self.app.pid)), interval=0.02)

    def connect_accessibility(self):
        self.start_accessibility_bus()
        self.find_application()
        frame = self.frame = poll("the main window on the accessibility bus", STEP_SECONDS,
                                  self.checked(lambda: find(self.application, "frame", MAIN_CAPTION)))

        def fields():
            found = {name: find(frame, "text", name)
                     for name in [label for label, _ in ENTRIES] + list(EXPECTED_RESULTS)}
            return found if all(found.values()) else None
        self.fields = poll("the fields by role and name", STEP_SECONDS, self.checked(fields))

    def read(self, names):
        return {name: text_of(self.fields[name]) for name in names}

    def expect_texts(self, what, expected):
        """Waits until the fields read as expected; fails naming what they read."""
        last = {}

        def probe():
            last.update(self.read(expected))
            return True if last == expected else None
        try:
            poll(what, STEP_SECONDS, self.checked(probe))
        except Failed as failure:
            raise Failed(f"{failure}; the fields read {last}, not {expected}") from None

    def box_with(self, text):
        """A dialog of the program, showing, with a label of exactly this text."""
        def probe():
            for index in range(self.application.childCount):
                window = self.application.getChildAtIndex(index)
                if window is None or window.getRoleName() not in ("alert", "dialog"):
                    continue
                if is_showing(window) and find(window, "label", text) is not None:
                    return window
            return None
        return poll(f"the box {text!r}", STEP_SECONDS, self.checked(probe))

    # The operator's hands: the mouse and keys on X ------------------------

    def select_field(self, field):
        self.display.click_on(field)
        self.display.key("ctrl+a")

    def type_into(self, _field, text):
        self.display.type(text)

    def press_button(self, name):
        self.display.click_on(find(self.frame, "push button", name))

    def open_menu(self, name, keys):
        # The keyboard may have gone with a closed box; it comes back to the
        # main window as a window manager would hand it back.
        self.display.focus(self.main)
        self.display.key(keys)
        return self.new_window(f"the {name} menu")[1]

    def choose_entry(self, popup, _name, keys):
        """By the keys, or else with the mouse: each popup the round uses with
        the mouse holds one entry."""
        if keys:
            self.display.key(*keys)
        else:
            _title, x, y, width, height = popup
            self.display.click(x + width // 2, y + height // 2)

    def box_window(self, what):
        window, _geometry = self.new_window(what)
        # Without a window manager nothing but the program hands the
        # keyboard to a new box; this makes sure of it.
        self.display.focus(window)
        return window

    def answer(self, _box, _button, keys):
        self.display.key(*keys)

    def wait_closed(self, what, window, _box):
        self.wait_gone(what, window)

    # The operator's steps ----------------------------------------------

    def type_entries(self):
        for label, text in ENTRIES:
            self.select_field(self.fields[label])
            self.type_into(self.fields[label], text)
        self.expect_texts("the typed entries", dict(ENTRIES))
        log("typed " + ", ".join(f"{label} {text}" for label, text in ENTRIES))
        self.display.screenshot("entries")

    def perform_calculations(self):
        before = self.read(EXPECTED_RESULTS)
        self.press_button("Perform Calculations")
        self.expect_texts("the three results", EXPECTED_RESULTS)
        log(f"results before {before}, after Perform Calculations {EXPECTED_RESULTS}")
        self.display.screenshot("results")

    def open_chart_generator(self):
        popup = self.open_menu("Utilites", "alt+u")
        self.display.screenshot("utilites-menu")
        self.choose_entry(popup, "Tank Chart Generator", None)
        log("chose Tank Chart Generator from the Utilites menu")

    def answer_box(self, step, text, button, keys, typed=None):
        """Waits for the modal box showing the text, types into it if asked,
        answers it with the button (or keys) and waits until it has closed."""
        window = self.box_window(f"the box {text!r}")
        box = self.box_with(text)
        if typed is not None:
            entry = poll("the box's entry field", STEP_SECONDS,
                         self.checked(lambda: next((node for node in walk(box)
                                                    if node.getRoleName() == "text"), None)))
            self.type_into(entry, typed)
            poll(f"the box's entry to read {typed!r}", STEP_SECONDS,
                 self.checked(lambda: True if text_of(entry) == typed else None))
        self.display.screenshot(step)
        self.answer(box, button, keys)
        self.wait_closed(f"the box {text!r}", window, box)
        log(f"answered {text!r} with {button}" + (f" after typing {typed!r}" if typed else ""))

    def save_chart(self):
        path = os.path.join(self.chart_dir, CHART_NAME)
        window = self.box_window("the file dialog")

        def file_dialog():
            for index in range(self.application.childCount):
                node = self.application.getChildAtIndex(index)
                if node is not None and node.getRoleName() == "dialog" and is_showing(node):
                    field = find(node, "text", "File name:")
                    if field is not None:
                        return node, field
            return None
        dialog, name_field = poll("the file dialog's name field", STEP_SECONDS, self.checked(file_dialog))
        self.type_into(name_field, path)
        poll("the file name to read the chart's path", STEP_SECONDS,
             self.checked(lambda: True if text_of(name_field) == path else None))
        self.display.screenshot("file-dialog")
        # The dialog opens files: its accepting button is Open.
        self.answer(dialog, "Open", ["Return"])
        self.wait_closed("the file dialog", window, dialog)
        log(f"saved the chart as {path}")
        return path

    def check_chart(self, path, when):
        try:
            with open(path, "rb") as chart:
                written = chart.read()
        except OSError as error:
            raise Failed(f"{when}: no chart file: {error}") from None
        if written != EXPECTED_CHART:
            raise Failed(f"{when}: the chart file holds {written!r}, not {EXPECTED_CHART!r}")
        others = sorted(set(os.listdir(self.chart_dir)) - {CHART_NAME})
        if others:
            raise Failed(f"{when}: the chart's folder holds more than the chart: {others}")
        log(f"{when}: the chart file holds the expected {len(written)} bytes")

    def decline_printing(self, path):
        window = self.box_window("the print question")
        box = self.box_with(QUESTION)
        # The file is complete and closed before the question is asked.
        self.check_chart(path, "at the print question")
        self.display.screenshot("print-question")
        self.answer(box, "No", ["alt+n"])
        self.wait_closed("the print question", window, box)
        log("answered No to printing")

    def exit_by_menu(self):
        popup = self.open_menu("File", "alt+f")
        self.display.screenshot("file-menu")
        self.choose_entry(popup, "Exit", ["x"])
        status = poll("the program to end after Exit", STEP_SECONDS, lambda: self.app.poll())
        if status != 0:
            raise Failed(f"the program ended with status {status} after Exit")
        self.display.screenshot("exited")
        log("Exit ended the program with status 0")

    def check_nothing_stored(self):
        """The program stores nothing: after it has ended, its home (with the
        configuration, cache and data folders in it) and its working folder
        hold nothing but the chart."""
        chart = os.path.join(self.chart_dir, CHART_NAME)
        left = []
        for top in (self.home, self.run_dir):
            for folder, folders, files in os.walk(top):
                left += [os.path.join(folder, name) for name in files + folders
                         if os.path.join(folder, name) not in (chart, self.chart_dir)]
        if left:
            raise Failed("the program left files behind: " + ", ".join(sorted(left)))
        log("nothing stored but the chart")

    def run(self):
        self.start()
        self.splash_then_main_window()
        self.connect_accessibility()
        self.type_entries()
        self.perform_calculations()
        self.open_chart_generator()
        self.answer_box("notice", NOTICE, "OK", ["Return"])
        self.answer_box("increment", PROMPT, "OK", ["Return"], typed=INCREMENT)
        path = self.save_chart()
        self.decline_printing(path)
        self.check_chart(path, "after the run")
        shutil.copyfile(path, os.path.join(self.artifacts, CHART_NAME))
        # The run leaves the window as it was.
        self.expect_texts("the window after the chart run",
                          {**dict(ENTRIES), **EXPECTED_RESULTS})
        self.display.screenshot("after-chart")
        self.exit_by_menu()
        self.check_nothing_stored()


def main(round_class, description):
    """Runs the round as a script whose docstring is the description."""
    parser = argparse.ArgumentParser(description=description.splitlines()[0])
    parser.add_argument("--program", required=True, help="the gaugestar executable")
    parser.add_argument("--artifacts", required=True, help="folder for the screenshots and logs")
    args = parser.parse_args()

    program = program_to_run(args.program, round_class.TOOLS)
    if program is None:
        return 1
    artifacts = os.path.abspath(args.artifacts)
    workdir = private_session(SESSION_MARK, "gaugestar-e2e-", ["--program", program, "--artifacts", artifacts])

    # Screenshots of an earlier run would mislead.
    shutil.rmtree(artifacts, ignore_errors=True)
    os.makedirs(artifacts)
    operator = round_class(program, workdir, artifacts)

    def out_of_time(_signal, _frame):
        raise Failed(f"the round took more than {ROUND_SECONDS} s")
    signal.signal(signal.SIGALRM, out_of_time)
    signal.alarm(ROUND_SECONDS)
    try:
        try:
            operator.run()
        except BaseException:
            if operator.display is not None:
                operator.display.screenshot("failure")
            raise
        finally:
            signal.alarm(0)
            operator.stop()
    except Failed as failure:
        log(f"FAILED: {failure}")
        log_program_output(operator.program_log)
        log(f"screenshots in {artifacts}")
        return 1
    finally:
        shutil.rmtree(workdir, ignore_errors=True)
    log(f"{round_class.TITLE} passed; screenshots in {artifacts}")
    return 0

