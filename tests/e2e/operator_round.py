#!/usr/bin/python3
"""Gaugestar end to end on a real X display, worked the way an operator works it.

Starts Xvfb on a free display and the built program on it, inside a D-Bus
session of its own, and drives the program with xdotool alone: clicks at the
controls' places (where the program tells the accessibility bus they are),
typed keys, the Utilites menu and the real dialogs. It
checks that the splash window comes first and gives way to the main window
after about two seconds, reads the three results back over the AT-SPI
accessibility bus (from outside the process, as a screen reader does) and
compares the saved chart file with its expected bytes; after Exit its home
folder holds nothing but that chart. A screenshot of the whole screen is
kept for every step.

    /usr/bin/python3 operator_round.py --program build/app/gaugestar --artifacts DIR

The steps are in operator_steps.py, which the Wayland round
(wayland_round.py) goes through with other hands. Run with Debian's
python3: pyatspi comes from the python3-pyatspi package.
Every process the round starts, or that starts for it on its private buses,
is ended by its process id.
"""

import sys

from operator_steps import Round, main

if __name__ == "__main__":
    sys.exit(main(Round, __doc__))
