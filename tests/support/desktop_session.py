"""What the tests that run Gaugestar on a private display share.

Used by the screen-reader round (tests/accessibility), the operator's rounds
on X and Wayland (tests/e2e) and the start-up benchmark (bench/startup):
generous waits that poll, a free display from Xvfb, processes ended by their
ids only, and the accessible tree as a screen reader sees it.
"""

import os
import select
import shutil
import signal
import socket
import subprocess
import time

SCREEN = (1024, 768)

# Generous limits: the machine may be busy with a build on every core.
START_SECONDS = 120
STEP_SECONDS = 60
STOP_SECONDS = 10


class Failed(Exception):
    pass


def log(message):
    print(message, flush=True)


def poll(what, seconds, probe, interval=0.1):
    """Calls probe until it returns something other than None. Errors on the
    way (a busy accessibility bus, a window going while it is looked at)
    are retried; Failed is not."""
    deadline = time.monotonic() + seconds
    last_error = None
    while True:
        try:
            found = probe()
            if found is not None:
                return found
        except Failed:
            raise
        except Exception as error:  # the bus or the X server, busy or changing
            last_error = error
        if time.monotonic() >= deadline:
            break
        time.sleep(interval)
    detail = f" (last error: {last_error})" if last_error else ""
    raise Failed(f"gave up after {seconds} s waiting for {what}{detail}")


# --- processes -----------------------------------------------------------

def process_gone(pid):
    """True once the process has ended; a zombie nobody reaps counts as ended."""
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] == "Z"
    except (FileNotFoundError, ProcessLookupError, IndexError):
        return True


def end_process(pid, name, child=None):
    """Asks the process to end, then forces it; reaps it if it is our child."""
    if pid is None or pid <= 1 or pid == os.getpid():
        return
    for sig in (signal.SIGTERM, signal.SIGKILL):
        if child is not None and child.poll() is not None:
            return
        if child is None and process_gone(pid):
            return
        try:
            os.kill(pid, sig)
        except ProcessLookupError:
            return
        deadline = time.monotonic() + STOP_SECONDS
        while time.monotonic() < deadline:
            if child is not None:
                try:
                    child.wait(timeout=0.1)
                    return
                except subprocess.TimeoutExpired:
                    continue
            if process_gone(pid):
                return
            time.sleep(0.1)
        log(f"{name} (pid {pid}) did not end on {sig.name}")


def accepts_clients(path):
    """True once a server listens on the Unix socket at `path`: a file that
    is there is not enough, it may be bound but not yet listening."""
    probe = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    try:
        probe.connect(path)
        return True
    except OSError:
        return None
    finally:
        probe.close()


def start_display(workdir):
    """Xvfb picks a free display number itself and writes it to a pipe once
    it listens. -noreset: by default an X server resets when its last client
    leaves and drops every connection it accepted meanwhile, so a program
    connecting just as a short-lived client (an xdotool call) goes would be
    refused ("could not connect to display")."""
    read_end, write_end = os.pipe()
    with open(os.path.join(workdir, "xvfb.log"), "w") as xvfb_log:
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=xvfb_log)
    os.close(write_end)
    try:
        number = b""
        deadline = time.monotonic() + START_SECONDS
        while not number.endswith(b"\n"):
            remaining = deadline - time.monotonic()
            if remaining <= 0 or xvfb.poll() is not None:
                raise Failed("Xvfb did not start")
            ready, _, _ = select.select([read_end], [], [], remaining)
            if ready:
                chunk = os.read(read_end, 16)
                if not chunk:
                    raise Failed("Xvfb closed its display pipe without a number")
                number += chunk
        display = number.decode().strip()
        poll(f"display :{display} to accept clients", START_SECONDS,
             lambda: accepts_clients(f"/tmp/.X11-unix/X{display}"))
    except BaseException:
        end_process(xvfb.pid, "Xvfb", xvfb)
        raise
    finally:
        os.close(read_end)
    return xvfb, ":" + display


# --- the accessibility bus ------------------------------------------------

def missing_requirements(tools):
    """What is missing of the tools, (command, Debian package) pairs, and of
    the session bus, the accessibility bus and its Python client."""
    needs = [f"{tool} (Debian package {package})" for tool, package in (*tools, ("dbus-run-session", "dbus"))
             if shutil.which(tool) is None]
    if not os.path.exists("/usr/libexec/at-spi-bus-launcher"):
        needs.append("the AT-SPI bus (Debian package at-spi2-core)")
    try:
        import pyatspi  # noqa: F401  (only whether it imports)
    except ImportError:
        needs.append("pyatspi (Debian package python3-pyatspi, run with /usr/bin/python3)")
    return needs


def _owner_pid(connection, name):
    from gi.repository import Gio, GLib
    reply = connection.call_sync(
        "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "GetConnectionUnixProcessID", GLib.Variant("(s)", (name,)),
        GLib.VariantType("(u)"), Gio.DBusCallFlags.NONE, 10000, None)
    return reply.unpack()[0]


def accessibility_bus():
    """A connection of its own to this session's accessibility bus; the
    caller closes it."""
    from gi.repository import Gio, GLib
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    address = session.call_sync(
        "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
        GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 10000, None).unpack()[0]
    return Gio.DBusConnection.new_for_address_sync(
        address,
        Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
        None, None)


def accessibility_bus_pids():
    """The bus launcher, the accessibility bus and its registry were started
    by D-Bus activation for this session; their ids come from the buses."""
    from gi.repository import Gio
    pids = {"at-spi-bus-launcher": _owner_pid(Gio.bus_get_sync(Gio.BusType.SESSION, None), "org.a11y.Bus")}
    a11y = accessibility_bus()
    try:
        pids["at-spi2-registryd"] = _owner_pid(a11y, "org.a11y.atspi.Registry")
        pids["accessibility bus"] = _owner_pid(a11y, "org.freedesktop.DBus")
    finally:
        a11y.close_sync(None)
    return pids


# --- the accessible tree --------------------------------------------------

def walk(node, depth=0):
    if node is None or depth > 30:
        return
    yield node
    for index in range(node.childCount):
        yield from walk(node.getChildAtIndex(index), depth + 1)


def find(root, role, name):
    """The first node with this role, named as AT-SPI names roles ("push
    button"), and this name. Compared by the role itself: AT-SPI renames
    some roles between releases (a push button is "button" in 2.56)."""
    import pyatspi
    wanted = getattr(pyatspi, "ROLE_" + role.upper().replace(" ", "_"))
    for node in walk(root):
        if node.getRole() == wanted and node.name == name:
            return node
    return None


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)
