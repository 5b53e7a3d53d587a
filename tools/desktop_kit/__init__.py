"""Gaugestar run on a private display and driven from outside: the helpers
that the rounds of tests/e2e, the start-up benchmark (bench/startup) and the
screenshot tool (tools/screenshots) share, found through PYTHONPATH (this
package's parent folder), which their CMake registrations and
debian/tests/control set.

  session     waits that poll, processes ended by their ids, a D-Bus session
              of the run's own, Xvfb on a free display, the accessibility bus
              and the accessible tree as a screen reader sees it
  x_display   the mouse, keys and screenshots on an X display
  compositor  a headless Weston, its socket, its clients and its screenshots

Outside the tests' folder, since more than the tests use it; the rounds' own
steps and checks stay with the tests.
"""
