"""What the AT-SPI tests of the program share: waiting, states, finding the program on the bus,
its environment, and the start of a test script."""

import os
import sys
import time
import unittest
import warnings

import pyatspi

WAIT = 20.0  # seconds any one condition may take on a loaded machine


def wait_for(condition, what):
    """Polls condition until it returns something true; fails after WAIT seconds."""
    deadline = time.monotonic() + WAIT
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.02)


def states(node):
    return set(node.getState().getStates())


def showing(node):
    return node is not None and pyatspi.STATE_SHOWING in states(node)


def find_app(pid):
    """The application the process pid put on the accessibility bus, or None."""
    for app in pyatspi.Registry.getDesktop(0):
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:
            pass
    return None


def accessible_env(**extra):
    """The environment of a run: accessibility on, untranslated, on the session's display."""
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANG="C.UTF-8", LANGUAGE="", **extra)
    env.pop("QT_QPA_PLATFORM", None)
    return env


def program_from_arguments():
    """Takes the program's path from the command line and makes the bus ready for the tests."""
    program = os.path.abspath(sys.argv.pop(1))
    warnings.simplefilter("ignore", DeprecationWarning)  # pyatspi's own calls into Atspi
    # Start the accessibility bus and its registry before the first program asks for them.
    wait_for(lambda: pyatspi.Registry.getDesktop(0) is not None, "the accessibility registry")
    return program


def main():
    unittest.main(verbosity=2)
