#!/usr/bin/python3
"""Gaugestar's operator round on Wayland, under a headless compositor.

The steps and checks of operator_round.py (from operator_steps.py), with
the program on Qt's Wayland platform under Weston (its headless backend,
drawing with pixman) instead of an X display. Wayland lets no outside client click or type into another
client's windows, so the hands here are the accessibility bus: fields are
written through their editable text, buttons and menu entries pressed
through their actions. The splash and the main window are seen there too,
and weston-screenshooter keeps a picture of the whole output for every step.

    /usr/bin/python3 wayland_round.py --program build/app/gaugestar --artifacts DIR

The compositor places every window itself, so no position is checked; each
is logged as the program sees it.
"""

import os
import sys
import time

from operator_steps import Round, expect_splash_size, main
from desktop_kit.compositor import SOCKET, WaylandDisplay, children_of, start_compositor
from desktop_kit.session import (MAIN_CAPTION, START_SECONDS, STEP_SECONDS, Failed, accessibility_bus, find,
                                 is_showing, log, poll)

LEAK_SUPPRESSIONS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "wayland_lsan.supp")


def extents(node):
    import pyatspi
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


class WaylandRound(Round):
    TITLE = "the Wayland round"
    TOOLS = (("weston", "weston"), ("weston-screenshooter", "weston"))

    def __init__(self, program, workdir, artifacts):
        super().__init__(program, workdir, artifacts)
        self.bus = None

    def start_display(self):
        weston = start_compositor(self.runtime, os.path.join(self.artifacts, "weston.log"))
        self.started.append(("weston", weston.pid, weston))
        log(f"Weston on {SOCKET}, pid {weston.pid}")
        scratch = os.path.join(self.workdir, "screenshots")
        os.makedirs(scratch)
        self.display = WaylandDisplay(self.runtime, self.artifacts, scratch)
        # The program joins an accessibility bus that runs when it starts, so
        # that its splash is seen there.
        self.start_accessibility_bus()
        self.bus = accessibility_bus()
        return dict(WAYLAND_DISPLAY=SOCKET, QT_QPA_PLATFORM="wayland",
                    # Qt 6.4 crashes drawing a text cursor when the compositor
                    # offers text input but no seat, as a headless Weston
                    # does; Qt's plain compose input takes its place.
                    QT_IM_MODULE="compose",
                    # For a sanitized build: what Qt's Wayland client keeps to the end.
                    LSAN_OPTIONS=":".join(filter(None, [os.environ.get("LSAN_OPTIONS", ""),
                                                        f"suppressions={LEAK_SUPPRESSIONS}",
                                                        "fast_unwind_on_malloc=0"])))

    def stop(self):
        if self.bus is not None:
            try:
                self.bus.close_sync(None)
            except Exception as error:  # the bus may have gone first
                log(f"closing the accessibility connection: {error}")
        names = [name for name, _pid, _child in self.started]
        if "weston" in names:
            # Weston's own clients end with it; any that does not, by its id.
            at = names.index("weston")
            self.started[at:at] = [("weston's client", pid, None) for pid in children_of(self.started[at][1])]
        super().stop()

    def splash_then_main_window(self):
        self.find_application()

        def windows():
            return [window for window in (self.application.getChildAtIndex(index)
                                          for index in range(self.application.childCount))
                    if window is not None and is_showing(window)]
        shown = poll("the first window", START_SECONDS, self.checked(lambda: windows() or None), interval=0.02)
        splash_seen = time.monotonic()
        if len(shown) != 1 or shown[0].name:
            raise Failed(f"the first windows are {[window.name for window in shown]}, not the splash alone")
        x, y, width, height = extents(shown[0])
        log(f"first window after {splash_seen - self.exec_time:.2f} s: {width}x{height}, "
            f"at +{x}+{y} as the program sees it")
        expect_splash_size(width, height)
        self.display.screenshot("splash")

        def main_window_alone():
            now = windows()
            return now[0] if [window.name for window in now] == [MAIN_CAPTION] else None
        self.main = poll("the main window in the splash's place", START_SECONDS,
                         self.checked(main_window_alone), interval=0.02)
        self.expect_splash_time(splash_seen)
        log("main window {2}x{3}, at +{0}+{1} as the program sees it".format(*extents(self.main)))
        self.display.screenshot("main-window")

    # The hands: the accessibility bus --------------------------------------

    def act(self, root, role, name, action):
        """Starts the action without waiting for its answer: Qt answers only
        once the handler returns, and one that opens a modal box returns
        when the box has closed."""
        from gi.repository import Gio, GLib
        node = find(root, role, name)
        if node is None:
            raise Failed(f"no {role} {name!r} to {action}")
        actions = node.queryAction()
        names = [actions.getName(index) for index in range(actions.nActions)]
        if action not in names:
            raise Failed(f"the {role} {name!r} offers no {action} action, only {names}")
        message = Gio.DBusMessage.new_method_call(node.app.bus_name, node.path,
                                                  "org.a11y.atspi.Action", "DoAction")
        message.set_body(GLib.Variant("(i)", (names.index(action),)))
        message.set_flags(Gio.DBusMessageFlags.NO_REPLY_EXPECTED)
        self.bus.send_message(message, Gio.DBusSendMessageFlags.NONE)
        self.bus.flush_sync(None)

    def select_field(self, _field):
        pass

    def type_into(self, field, text):
        field.queryEditableText().setTextContents(text)

    def press_button(self, name):
        self.act(self.frame, "push button", name, "Press")

    def open_menu(self, name, _keys):
        self.act(self.frame, "menu item", name, "ShowMenu")
        item = find(self.frame, "menu item", name)
        poll(f"the {name} menu", STEP_SECONDS,
             self.checked(lambda: True if is_showing(find(item, "popup menu", "")) else None))
        return item

    def choose_entry(self, menu, name, _keys):
        self.act(menu, "menu item", name, "Press")

    def box_window(self, _what):
        return None

    def answer(self, box, button, _keys):
        self.act(box, "push button", button, "Press")

    def wait_closed(self, what, _window, box):
        poll(f"{what} to close", STEP_SECONDS, self.checked(lambda: None if is_showing(box) else True))


if __name__ == "__main__":
    sys.exit(main(WaylandRound, __doc__))
