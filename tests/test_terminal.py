"""The program on a real pseudo-terminal, the way a person meets it: the
prompt has to be on the screen before anything is typed."""

import errno
import os
import signal
import subprocess

import pytest

from expected import DEADLINE, PROMPT


def read_until(terminal, screen, wanted=None):
    """`screen` and what the terminal shows next, up to `wanted`, or, without
    it, up to the program's end, when the terminal has no writer left."""
    while wanted is None or wanted not in screen:
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


@pytest.fixture
def deadline():
    """Ends a read that waits for what never comes with a TimeoutError."""
    def expire(*_):
        raise TimeoutError(f"nothing more on the terminal within {DEADLINE} s")
    previous = signal.signal(signal.SIGALRM, expire)
    signal.alarm(DEADLINE)
    yield
    signal.alarm(0)
    signal.signal(signal.SIGALRM, previous)


def test_shows_the_prompt_before_waiting_and_answers_what_is_typed(program, deadline):
    if program.windows:
        pytest.skip("a Windows console is no pseudo-terminal: Wine would put its own "
                    "console between the program and this one")
    terminal, far_end = os.openpty()
    with subprocess.Popen(program.command, stdin=far_end, stdout=far_end, stderr=far_end,
                          start_new_session=True) as run:
        os.close(far_end)
        try:
            screen = read_until(terminal, b"", PROMPT)
            os.write(terminal, b"9\r")
            screen = read_until(terminal, screen, b"invalid.\r\n" + PROMPT)
            os.write(terminal, b"3\r")
            screen = read_until(terminal, screen)
        except BaseException:
            run.kill()
            raise
        finally:
            os.close(terminal)
    assert screen == (PROMPT + b"9\r\n"
                      b"\r\n"
                      b"The given input value was invalid.\r\n"
                      + PROMPT + b"3\r\n"
                      b"\r\n"
                      b"The given day number represents Wednesday.\r\n"
                      b"\r\n")
    assert run.returncode == 0
