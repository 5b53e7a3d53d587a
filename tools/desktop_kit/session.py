"""What every run of Gaugestar on a private display shares: generous waits
that poll, a free display from Xvfb, a session bus of the run's own,
processes ended by their ids only, and the accessible tree as a screen
reader sees it.
"""

import os
import select
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

SCREEN = (1024, 768)
MAIN_CAPTION = "Ombrix Associates Gaugestar"

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


def end_started(started, when):
    """Ends the processes a run started, (name, pid, Popen or None) each, the
    last started first; fails naming any still running `when`."""
    for name, pid, child in reversed(started):
        end_process(pid, name, child)
    left = [f"{name} (pid {pid})" for name, pid, child in started
            if (child.poll() is None if child is not None else not process_gone(pid))]
    if left:
        raise Failed(f"still running {when}: " + ", ".join(left))


def expect_running(app):
    if app.poll() is not None:
        raise Failed(f"gaugestar ended early with status {app.returncode}")


def checked(app, probe):
    """The probe, failing at once once the program has ended rather than
    waiting out its limit."""
    def run():
        expect_running(app)
        return probe()
    return run


def log_program_output(path):
    if os.path.exists(path):
        with open(path) as output:
            log("--- gaugestar's output ---\n" + output.read())


def program_to_run(program, tools):
    """The program's absolute path, or None once what is missing has been
    said: the tools, (command, Debian package) pairs, the buses, or the
    program itself."""
    needs = missing_requirements(tools)
    if needs:
        log("cannot run: missing " + "; ".join(needs) + " (scripts/setup --test installs them)")
        return None
    program = os.path.abspath(program)
    if not os.access(program, os.X_OK):
        log(f"cannot run: {program} is not an executable")
        return None
    return program


def private_session(mark, prefix, arguments):
    """The run's own working folder, once the script runs inside a D-Bus
    session of its own; until then, runs the script again with the
    arguments inside one that ends with it, and does not return.

    No display or bus of the caller's may leak in: the accessibility client
    must find the bus of this session. The session's runtime folder is the
    run's own, so that the accessibility bus's socket is not the one of
    another run at the same time. The inner run removes the folder."""
    workdir = os.environ.get(mark)
    if workdir:
        return workdir
    workdir = tempfile.mkdtemp(prefix=prefix)
    env = dict(os.environ, **{mark: workdir}, XDG_RUNTIME_DIR=workdir)
    for name in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "DISPLAY", "WAYLAND_DISPLAY"):
        env.pop(name, None)
    try:
        os.execvpe("dbus-run-session", ["dbus-run-session", "--", sys.executable,
                                        os.path.abspath(sys.argv[0]), *arguments], env)
    except OSError:
        shutil.rmtree(workdir, ignore_errors=True)
        raise


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


def join_accessibility_bus(started):
    """Asking for the desktop starts this session's accessibility bus and
    registry; their processes go to the front of `started`, to be ended
    after everything that talks to them."""
    import pyatspi
    from gi.repository import Atspi
    # A busy machine answers slowly; the default of under a second is meant
    # for a desktop that must not freeze.
    Atspi.set_timeout(20000, 60000)
    poll("the accessibility registry", START_SECONDS, lambda: pyatspi.Registry.getDesktop(0))
    try:
        for name, pid in accessibility_bus_pids().items():
            started.insert(0, (name, pid, None))
            log(f"{name} runs for this session, pid {pid}")
    except Exception as error:
        log(f"could not learn the accessibility bus processes: {error}")


def running_application(pid):
    """The program with this process id on the accessibility bus, or None."""
    import pyatspi
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        candidate = desktop.getChildAtIndex(index)
        if candidate is not None and candidate.get_process_id() == pid:
            return candidate
    return None


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


def is_showing(node):
    import pyatspi
    return node.getState().contains(pyatspi.STATE_SHOWING)


def live_description(node):
    """The description as it is now, not as the client cached it."""
    node.clear_cache()
    return node.description
