"""The program on a pseudo-terminal, the way a person meets it: each step's
keys are typed only once the screen shows what the step before it waits for."""

import errno
import os
import time

import pytest

from expected import DEADLINE

CTRL_D = b"\x04"
# Stops the terminal's output, as Control-S does.
CTRL_S = b"\x13"


def open_terminal():
    """A new pseudo-terminal's two ends; a test skips where there is none."""
    try:
        return os.openpty()
    except OSError as error:
        pytest.skip(f"no pseudo-terminal (/dev/ptmx and /dev/pts): {error}")


# Linux's x86-64 numbers of the system calls that read and write, plain and
# vectored (Node's WASI writes with writev).
SYSTEM_CALLS = {"read": {"0", "19"}, "write": {"1", "20"}}


def wait_in_system_call(pid, call):
    """Waits until process `pid` is blocked in a `call` ("read" or "write")."""
    path = f"/proc/{pid}/syscall"
    while open(path, encoding="ascii").read().split()[0] not in SYSTEM_CALLS[call]:
        time.sleep(0.01)


def on_terminal(text):
    """`text` as a terminal shows it: each line feed is shown as "\\r\\n"."""
    return text.replace(b"\n", b"\r\n")


def read_until(terminal, screen, wanted=None, expected_screen=None):
    """`screen` and what the terminal shows next, up to `wanted` (bytes, or a
    test of the whole screen) or else the program's end; it fails as soon as
    the screen departs from `expected_screen`."""
    seen = wanted if callable(wanted) else lambda shown: wanted in shown
    while wanted is None or not seen(screen):
        assert expected_screen is None or expected_screen.startswith(screen), (screen, expected_screen)
        try:
            shown = os.read(terminal, 256)
        except OSError as error:
            if error.errno != errno.EIO or wanted is not None:
                raise
            shown = b""
        if not shown:
            assert wanted is None, f"the program ended before showing {wanted!r}: {screen!r}"
            return screen
        screen += shown
    return screen


def session(start, command, first, steps, expected_screen=None):
    """Runs `command` on a new pseudo-terminal, waits for `first`, then types
    each step's keys and waits for what it names (None: the end). Gives the
    screen and the exit status; a caller sets a deadline (SIGALRM)."""
    terminal, far_end = open_terminal()
    run = start(command, stdin=far_end, stdout=far_end, stderr=far_end, start_new_session=True)
    os.close(far_end)
    try:
        shown = read_until(terminal, b"", first, expected_screen)
        for keys, wanted in steps:
            os.write(terminal, keys)
            shown = read_until(terminal, shown, wanted, expected_screen)
        return shown, run.wait(timeout=DEADLINE)
    finally:
        os.close(terminal)
