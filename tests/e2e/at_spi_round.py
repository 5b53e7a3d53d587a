#!/usr/bin/python3
"""Gaugestar as a screen reader sees it, over the AT-SPI accessibility bus.

Starts a private X display and the program on it, inside a private D-Bus
session, then works the window the way a screen reader does: finds the
fields by role and name, writes a diameter, presses "Perform Calculations"
through the button's action and reads the three results and the picture's
description back. Every process it starts, or that starts for it on its
private buses, is ended by its process id before it exits.

    /usr/bin/python3 tests/e2e/at_spi_round.py --program build/app/gaugestar

Run with Debian's python3: pyatspi comes from the python3-pyatspi package.
"""

import argparse
import os
import shutil
import subprocess
import sys

from desktop_kit.session import (MAIN_CAPTION, START_SECONDS, STEP_SECONDS, Failed, checked, end_started,
                                 find, join_accessibility_bus, live_description, log, log_program_output,
                                 poll, private_session, program_to_run, running_application, start_display,
                                 text_of, walk)

# Set in the environment once the script runs inside its own session bus.
SESSION_MARK = "GAUGESTAR_AT_SPI_SESSION"

DIAMETER = "120"
# A flat-ended tank 120 inches across and 324 long, 48 inches of product at
# 70 degrees F: pi * 60^2 * 324 / 231 gallons in all; 0.37 of it is filled.
EXPECTED_RESULTS = {
    "Tank capacity": "15863.",
    "Gross volume": "5925.31",
    "Net volume": "5883.83",
}
EXPECTED_PICTURE = "Flat-ended tank, about a quarter full"
# Captions a screen reader reads with a control (its labelled-by relation).
EXPECTED_CAPTIONS = {
    ("combo box", "Shape"),
    ("combo box", "Lengths"),
    ("combo box", "Volumes"),
    ("combo box", "Temps"),
}

def captions_of(node):
    """The texts of the labels in the node's labelled-by relation."""
    import pyatspi
    texts = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for index in range(relation.getNTargets()):
                target = relation.getTarget(index)
                if target.getRoleName() == "label":
                    texts.append(target.name)
    return texts


# --- the round ---------------------------------------------------------------

def screen_reader_round(program, workdir):
    started = []   # (name, pid, Popen or None), ended in reverse order
    program_log = os.path.join(workdir, "gaugestar.log")
    try:
        xvfb, display = start_display(workdir)
        started.append(("Xvfb", xvfb.pid, xvfb))
        log(f"display {display}")

        env = dict(os.environ)
        env.update(DISPLAY=display, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QT_ACCESSIBILITY="1", XDG_RUNTIME_DIR=workdir)
        env.pop("AT_SPI_BUS_ADDRESS", None)
        with open(program_log, "w") as output:
            app = subprocess.Popen([program], env=env, stdin=subprocess.DEVNULL,
                                   stdout=output, stderr=subprocess.STDOUT)
        started.append(("gaugestar", app.pid, app))
        log(f"gaugestar started, pid {app.pid}")

        join_accessibility_bus(started)
        application = poll("gaugestar on the accessibility bus", START_SECONDS,
                           checked(app, lambda: running_application(app.pid)))

        # The splash shows first; the main window follows after two seconds.
        frame = poll("the main window", START_SECONDS,
                     checked(app, lambda: find(application, "frame", MAIN_CAPTION)))
        log(f"found the frame {MAIN_CAPTION!r}")

        wanted = {"diameter": ("text", "Diameter"),
                  "button": ("push button", "Perform Calculations"),
                  "picture": ("image", "Tank picture")}
        wanted.update({name: ("text", name) for name in EXPECTED_RESULTS})
        not_found = []

        def controls():
            found = {key: find(frame, role, name) for key, (role, name) in wanted.items()}
            not_found[:] = [f"{wanted[key][0]} {wanted[key][1]!r}" for key, node in found.items() if node is None]
            return None if not_found else found
        try:
            fields = poll("the fields by role and name", STEP_SECONDS, checked(app, controls))
        except Failed as failure:
            raise Failed(f"{failure}; not found: {', '.join(not_found)}") from None
        log("found the fields: " + ", ".join(sorted(fields)))

        captions_seen = set()

        def selector_captions():
            captions_seen.clear()
            for node in walk(frame):
                if node.getRoleName() == "combo box":
                    captions_seen.update(("combo box", caption) for caption in captions_of(node))
            return True if EXPECTED_CAPTIONS <= captions_seen else None
        try:
            poll("the selectors labelled by their captions", STEP_SECONDS, checked(app, selector_captions))
        except Failed as failure:
            raise Failed(f"{failure}; selector captions seen: {sorted(captions_seen)}") from None
        log("the selectors are labelled Shape, Lengths, Volumes, Temps")

        diameter_unit = poll("the diameter's unit caption", STEP_SECONDS,
                             checked(app, lambda: captions_of(fields["diameter"]) or None))
        if "inches" not in diameter_unit:
            raise Failed(f"the diameter's captions are {diameter_unit}, not inches")
        log(f"diameter captions: {diameter_unit}")

        before = poll("the results shown at start", STEP_SECONDS,
                      checked(app, lambda: {name: text_of(fields[name]) for name in EXPECTED_RESULTS}))
        picture_before = poll("the picture's description at start", STEP_SECONDS,
                              checked(app, lambda: live_description(fields["picture"])))
        log(f"results before: {before}; picture: {picture_before!r}")

        fields["diameter"].queryEditableText().setTextContents(DIAMETER)
        poll("the diameter to read back " + DIAMETER, STEP_SECONDS,
             checked(app, lambda: True if text_of(fields["diameter"]) == DIAMETER else None))
        log(f"diameter set to {DIAMETER}")

        action = fields["button"].queryAction()
        names = [action.getName(index) for index in range(action.nActions)]
        press = next((index for index, name in enumerate(names) if name.lower() in ("press", "click")), None)
        if press is None:
            raise Failed(f"the button offers no press action, only {names}")
        action.doAction(press)
        log(f"pressed {names[press]!r} on Perform Calculations")

        # All three are written in one event, so they change together.
        def results_written():
            shown = {name: text_of(fields[name]) for name in EXPECTED_RESULTS}
            return shown if all(shown[name] != before[name] for name in shown) else None
        shown = poll("the results to change", STEP_SECONDS, checked(app, results_written))
        log(f"results read: {shown}")
        if shown != EXPECTED_RESULTS:
            raise Failed(f"the results read {shown}, not {EXPECTED_RESULTS}")

        description = poll("the picture's description to change", STEP_SECONDS,
                           checked(app, lambda: (lambda now: now if now != picture_before else None)(
                               live_description(fields["picture"]))))
        log(f"picture: {description!r}")
        if description != EXPECTED_PICTURE:
            raise Failed(f"the picture is described as {description!r}, not {EXPECTED_PICTURE!r}")
        if app.poll() is not None:
            raise Failed(f"gaugestar ended with status {app.returncode}")
    except Failed:
        log_program_output(program_log)
        raise
    finally:
        end_started(started, "after the round")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="the gaugestar executable")
    args = parser.parse_args()

    program = program_to_run(args.program, (("Xvfb", "xvfb"),))
    if program is None:
        return 1
    workdir = private_session(SESSION_MARK, "gaugestar-at-spi-", ["--program", program])
    try:
        screen_reader_round(program, workdir)
    except Failed as failure:
        log(f"FAILED: {failure}")
        return 1
    finally:
        shutil.rmtree(workdir, ignore_errors=True)
    log("the screen-reader round passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
