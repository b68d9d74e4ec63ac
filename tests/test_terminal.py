"""The program on a real pseudo-terminal, the way a person meets it: the
prompt has to be on the screen before anything is typed."""

import errno
import os
import signal

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


CTRL_D = b"\x04"


# Each session: the keys typed after the first prompt, in steps, each typed
# once the screen shows what the step before it waits for; then the screen
# and the exit status. Enter sends "\r", and the terminal shows "\n" as "\r\n".
@pytest.mark.parametrize("steps, screen, status_wanted", [
    pytest.param([(b"9\r", b"invalid.\r\n" + PROMPT), (b"3\r", None)],
                 PROMPT + b"9\r\n"
                 b"\r\n"
                 b"The given input value was invalid.\r\n"
                 + PROMPT + b"3\r\n"
                 b"\r\n"
                 b"The given day number represents Wednesday.\r\n"
                 b"\r\n", 0, id="InvalidThenValid"),
    # Ctrl-D at the start of a line ends the input; the program ends the line.
    pytest.param([(CTRL_D, None)], PROMPT + b"\r\n", 1, id="CtrlDAtThePrompt"),
    # Ctrl-D after "-" sends it without a line end, the second one ends the
    # input: the answer is invalid, and the program asks nothing more of the
    # terminal, where input can go on after its end.
    pytest.param([(b"-" + CTRL_D + CTRL_D, None)],
                 PROMPT + b"-\r\nThe given input value was invalid.\r\n" + PROMPT + b"\r\n", 1,
                 id="AnswerCutOffByCtrlD"),
])
def test_a_session_on_a_terminal(program, start, deadline, steps, screen, status_wanted):
    if program.windows:
        pytest.skip("a Windows console is no pseudo-terminal: Wine would put its own "
                    "console between the program and this one")
    terminal, far_end = os.openpty()
    run = start(program.command, stdin=far_end, stdout=far_end, stderr=far_end,
                start_new_session=True)
    os.close(far_end)
    try:
        # The prompt must be on the screen before anything is typed.
        shown = read_until(terminal, b"", PROMPT)
        for keys, wanted in steps:
            os.write(terminal, keys)
            shown = read_until(terminal, shown, wanted)
        status = run.wait(timeout=DEADLINE)
    finally:
        os.close(terminal)
    assert (shown, status) == (screen, status_wanted)
