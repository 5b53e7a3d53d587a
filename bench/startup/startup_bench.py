#!/usr/bin/python3
"""Gaugestar's start-up times and peak memory, measured on the whole process.

Each run starts the built program on a private X display with its logging
category gaugestar.startup turned on, which makes it log monotonic timestamps, and
takes from them:
  - exec to splash painted: from just before the process is started to the
    end of the splash window's first paint;
  - timer to main window built: from the splash's timer to the main window
    constructed and shown;
  - timer to main window painted: from the timer to the end of the main
    window's first paint.
Then it works a session with xdotool: a calculation at diameter 32767, the
volume unit switched to litres and the temperature unit to degrees C, the
largest chart (increment 1, 32768 rows) saved, printing declined. The peak
resident memory (VmHWM) is read before File, Exit ends the program.

    PYTHONPATH=tools /usr/bin/python3 bench/startup/startup_bench.py --program build/app/gaugestar [--runs 7]
    cmake --build build --target bench_startup

Needs xvfb, xdotool, x11-utils and dbus (scripts/setup --test installs them).
Prints every run and the medians against the targets; exits 1 when a run
fails, 2 when a median misses its target.
"""

import argparse
import math
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from desktop_kit.session import (MAIN_CAPTION, START_SECONDS, STEP_SECONDS, Failed, end_process, log, poll,
                                 start_display)
from desktop_kit.x_display import Display, new_window, wait_gone

SESSION_MARK = "GAUGESTAR_BENCH_SESSION"
TRACE_PREFIX = "gaugestar.startup: "

TARGETS = {
    "splash painted after exec (ms)": 250.0,
    "main window built after timer (ms)": 50.0,
    "peak RSS (MB)": 60.0,
}

DIAMETER = "32767"
INCREMENT = "1"
LENGTH_INCHES = 324          # the window's starting length
LITRES_PER_GALLON = 3.785411784
# Steps 0 to 32767, three rows to a line, and the header.
CHART_LINES = 1 + math.ceil((int(DIAMETER) // int(INCREMENT) + 1) / 3)


def read_trace(path):
    moments = {}
    with open(path) as output:
        for line in output:
            if line.startswith(TRACE_PREFIX):
                name, nanoseconds = line[len(TRACE_PREFIX):].split()
                moments.setdefault(name, int(nanoseconds))
    return moments


def peak_rss_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    raise Failed("no VmHWM in /proc/{pid}/status")


def check_chart(path):
    """The largest chart, in litres: every line there, and the full tank's
    volume at the end."""
    with open(path, "rb") as chart:
        lines = chart.read().split(b"\r\n")
    if lines[-1] != b"":
        raise Failed("the chart does not end with CR LF")
    lines = lines[:-1]
    if len(lines) != CHART_LINES:
        raise Failed(f"the chart has {len(lines)} lines, not {CHART_LINES}")
    radius = int(DIAMETER) / 2
    expected = math.pi * radius * radius * LENGTH_INCHES / 231 * LITRES_PER_GALLON
    # The last row: the diameter's level and, too wide for its field, the
    # full tank's volume right after the comma.
    level, _, volume = lines[-1].split()[-1].partition(b",")
    try:
        if float(level) != int(DIAMETER) or abs(float(volume) / expected - 1) > 1e-5:
            raise ValueError
    except ValueError:
        raise Failed(f"the chart's last line {lines[-1]!r} is not the full tank in litres "
                     f"({expected:.0f})") from None


def choose_next_entry(display):
    """Opens the focused selector's list and chooses the entry below the one
    shown, as an operator does with the keyboard."""
    display.key("alt+Down")
    display.key("Down", "Return")


class Run:
    def __init__(self, program, display, workdir, number):
        self.program = program
        self.display = display
        self.workdir = os.path.join(workdir, f"run{number}")
        self.chart = os.path.join(self.workdir, "largest-chart.txt")
        self.trace = os.path.join(self.workdir, "trace.log")
        self.app = None

    def start(self, env):
        home = os.path.join(self.workdir, "home")
        os.makedirs(home, mode=0o700)
        env = dict(env, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                   XDG_CACHE_HOME=os.path.join(home, ".cache"), XDG_RUNTIME_DIR=home,
                   QT_LOGGING_RULES="gaugestar.startup.info=true",
                   QT_MESSAGE_PATTERN="%{category}: %{message}")
        with open(self.trace, "w") as output:
            self.exec_ns = time.monotonic_ns()
            self.app = subprocess.Popen([self.program], env=env, cwd=self.workdir, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=output)

    def stop(self):
        if self.app is not None:
            end_process(self.app.pid, "gaugestar", self.app)

    def startup_figures(self):
        def painted():
            if self.app.poll() is not None:
                raise Failed(f"gaugestar ended early with status {self.app.returncode}")
            moments = read_trace(self.trace)
            return moments if "main-painted" in moments else None
        moments = poll("the main window's first paint", START_SECONDS, painted, interval=0.05)
        for needed in ("splash-painted", "timer", "main-shown"):
            if needed not in moments:
                raise Failed(f"no {needed} in the trace: {moments}")
        return {
            "splash painted after exec (ms)": (moments["splash-painted"] - self.exec_ns) / 1e6,
            "main window built after timer (ms)": (moments["main-shown"] - moments["timer"]) / 1e6,
            "main window painted after timer (ms)": (moments["main-painted"] - moments["timer"]) / 1e6,
        }

    def session(self):
        pid = self.app.pid

        def main_window():
            for window, geometry in self.display.visible_windows(pid).items():
                if geometry[0] == MAIN_CAPTION:
                    return window, geometry
            return None
        main, _geometry = poll("the main window", START_SECONDS, main_window)
        known = {main}

        # By the window's tab order: the shape list has the focus first,
        # the diameter comes next, Perform Calculations eight later, then
        # back to the volume units and on to the temperature units.
        self.display.focus(main)
        self.display.key("Tab", "ctrl+a")
        self.display.type(DIAMETER)
        self.display.key(*["Tab"] * 8, "space")
        self.display.key("shift+Tab", "shift+Tab")
        choose_next_entry(self.display)   # gallons -> litres
        self.display.key("Tab")
        choose_next_entry(self.display)   # degrees F -> degrees C
        self.display.screenshot("units-switched")

        self.display.focus(main)
        self.display.key("alt+u")
        _menu, (_name, x, y, width, height) = new_window(self.display, pid, "the Utilites menu", known)
        self.display.click(x + width // 2, y + height // 2)
        notice, _ = new_window(self.display, pid, "the notice", known)
        self.display.focus(notice)
        self.display.key("Return")
        wait_gone(self.display, pid, "the notice", notice)
        prompt, _ = new_window(self.display, pid, "the increment box", known)
        self.display.focus(prompt)
        self.display.type(INCREMENT)
        self.display.key("Return")
        wait_gone(self.display, pid, "the increment box", prompt)
        files, _ = new_window(self.display, pid, "the file dialog", known)
        self.display.focus(files)
        self.display.type(self.chart)
        self.display.key("Return")
        saving = time.monotonic()
        wait_gone(self.display, pid, "the file dialog", files)
        question, _ = new_window(self.display, pid, "the print question", known)
        chart_seconds = time.monotonic() - saving
        self.display.screenshot("print-question")
        self.display.focus(question)
        self.display.key("alt+n")
        wait_gone(self.display, pid, "the print question", question)
        check_chart(self.chart)
        peak = peak_rss_kib(pid)

        self.display.focus(main)
        self.display.key("alt+f")
        new_window(self.display, pid, "the File menu", known)
        self.display.key("x")
        status = poll("the program to end after Exit", STEP_SECONDS, lambda: self.app.poll())
        if status != 0:
            raise Failed(f"the program ended with status {status} after Exit")
        return {"peak RSS (MB)": peak * 1024 / 1e6, "chart saved to question (ms)": chart_seconds * 1e3}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="the gaugestar executable")
    parser.add_argument("--runs", type=int, default=7, help="how many runs (default 7)")
    parser.add_argument("--artifacts", help="keep screenshots of the first run here")
    args = parser.parse_args()

    for tool, package in (("Xvfb", "xvfb"), ("xdotool", "xdotool"), ("dbus-run-session", "dbus")):
        if shutil.which(tool) is None:
            log(f"cannot run: missing {tool} (Debian package {package})")
            return 1
    program = os.path.abspath(args.program)
    if os.environ.get(SESSION_MARK) != "1":
        # Inside a session bus of its own, as on a desktop; it ends with the
        # script.
        env = dict(os.environ, **{SESSION_MARK: "1"})
        for name in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "DISPLAY", "WAYLAND_DISPLAY"):
            env.pop(name, None)
        command = [sys.executable, os.path.abspath(__file__), "--program", program, "--runs", str(args.runs)]
        if args.artifacts:
            command += ["--artifacts", os.path.abspath(args.artifacts)]
        os.execvpe("dbus-run-session", ["dbus-run-session", "--", *command], env)

    if args.artifacts:
        shutil.rmtree(args.artifacts, ignore_errors=True)
        os.makedirs(args.artifacts)
    workdir = tempfile.mkdtemp(prefix="gaugestar-bench-")
    xvfb = None
    results = []
    try:
        xvfb, display_name = start_display(workdir)
        env = dict(os.environ, DISPLAY=display_name, QT_QPA_PLATFORM="xcb", CUPS_SERVER="127.0.0.1:9")
        for name in ("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "QT_ACCESSIBILITY", "QT_QPA_PLATFORMTHEME"):
            env.pop(name, None)
        for number in range(1, args.runs + 1):
            display = Display(display_name, args.artifacts if number == 1 else None)
            run = Run(program, display, workdir, number)
            try:
                run.start(env)
                figures = run.startup_figures()
                figures.update(run.session())
            finally:
                run.stop()
            results.append(figures)
            log(f"run {number}: " + ", ".join(f"{name} {value:.1f}" for name, value in figures.items()))
    except Failed as failure:
        log(f"FAILED: {failure}")
        return 1
    finally:
        if xvfb is not None:
            end_process(xvfb.pid, "Xvfb", xvfb)
        shutil.rmtree(workdir, ignore_errors=True)

    log(f"\nmedians of {len(results)} runs (min .. max):")
    missed = []
    for name in results[0]:
        values = [figures[name] for figures in results]
        median = statistics.median(values)
        target = TARGETS.get(name)
        verdict = ""
        if target is not None:
            verdict = f"   target {target:g}: " + ("met" if median <= target else "MISSED")
            if median > target:
                missed.append(name)
        log(f"  {name:40} {median:8.1f}   ({min(values):.1f} .. {max(values):.1f}){verdict}")
    return 2 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
