#!/usr/bin/python3
"""The running program names itself after its desktop entry, which a task
bar looks up for its icon and name: on Wayland by the app id (the entry's
file name less ".desktop"), on X11 by the class in WM_CLASS (the entry's
StartupWMClass; Qt 6.4 sets no other X11 property naming the entry).

    /usr/bin/python3 desktop_identity.py PROGRAM DESKTOP_FILE --artifacts DIR

The logs of the program and of its display servers are kept in DIR, as the
operator's round keeps its own: under autopkgtest, in its artifacts.
"""

import argparse
import configparser
import os
import re
import shutil
import subprocess
import sys
import tempfile

from desktop_kit.compositor import SOCKET, children_of, start_compositor
from desktop_kit.session import START_SECONDS, Failed, end_process, log, poll, start_display
from desktop_kit.x_display import Display


def named(program, artifacts, server, settings, probe):
    """Runs the program beside its display server until the probe finds
    its name; the program's output is in the artifacts folder."""
    env = {name: value for name, value in os.environ.items()
           if name not in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS")}
    output = os.path.join(artifacts, f"gaugestar-{settings['QT_QPA_PLATFORM']}.log")
    with open(output, "w") as sink:
        app = subprocess.Popen([program], env={**env, **settings}, stdin=subprocess.DEVNULL, stdout=sink,
                               stderr=sink)

    def checked():
        if app.poll() is not None:
            raise Failed(f"gaugestar ended with status {app.returncode}; see {output}")
        return probe(app, output)
    try:
        return poll(f"gaugestar's name on {settings['QT_QPA_PLATFORM']}", START_SECONDS, checked)
    finally:
        end_process(app.pid, "gaugestar", app)
        for pid in children_of(server.pid):
            end_process(pid, "the display server's client")
        end_process(server.pid, "the display server", server)


def wm_class(display, app):
    window = next(iter(display.visible_windows(app.pid)), None)
    return window and re.findall(r'"([^"]*)"', display.run("xprop", "-id", window, "WM_CLASS"))[1:]


def app_id(_app, output):
    # The protocol log names an object "xdg_toplevel@14", or from Wayland
    # 1.23 on "xdg_toplevel#14".
    with open(output, errors="replace") as client_log:
        found = re.search(r'xdg_toplevel[@#]\d+\.set_app_id\("([^"]*)"\)', client_log.read())
    return found and found.group(1)


def main(program, desktop_file, artifacts):
    entry = configparser.ConfigParser(interpolation=None)
    entry.read(desktop_file)
    expected = {"xcb": [entry["Desktop Entry"]["StartupWMClass"]],
                "wayland": os.path.basename(desktop_file).removesuffix(".desktop")}
    # The logs of an earlier run would mislead.
    shutil.rmtree(artifacts, ignore_errors=True)
    os.makedirs(artifacts)
    # Weston's socket stays in a short path of its own: a Unix socket's
    # path may not be longer than about a hundred bytes.
    workdir = tempfile.mkdtemp(prefix="gaugestar-identity-")
    try:
        xvfb, display = start_display(artifacts)
        found = {"xcb": named(program, artifacts, xvfb, {"DISPLAY": display, "QT_QPA_PLATFORM": "xcb"},
                              lambda app, _output: wm_class(Display(display, None), app))}
        runtime = os.path.join(workdir, "runtime")
        os.mkdir(runtime, 0o700)
        weston = start_compositor(runtime, os.path.join(artifacts, "weston.log"))
        found["wayland"] = named(program, artifacts, weston, {
            "XDG_RUNTIME_DIR": runtime, "WAYLAND_DISPLAY": SOCKET, "QT_QPA_PLATFORM": "wayland",
            "QT_IM_MODULE": "compose", "WAYLAND_DEBUG": "1"}, app_id)
    except Failed as failure:
        log(f"FAILED: {failure}; the logs are in {artifacts}")
        return 1
    finally:
        shutil.rmtree(workdir, ignore_errors=True)
    log(f"the program's names {found}, its desktop entry's {expected}")
    if found != expected:
        log(f"FAILED: the program does not name itself after its desktop entry; the logs are in {artifacts}")
        return 1
    return 0


if __name__ == "__main__":
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("program", help="the gaugestar executable")
    parser.add_argument("desktop_file", help="its desktop entry")
    parser.add_argument("--artifacts", required=True, help="folder for the logs")
    args = parser.parse_args()
    sys.exit(main(os.path.abspath(args.program), args.desktop_file, os.path.abspath(args.artifacts)))
