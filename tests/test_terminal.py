"""The program on a real pseudo-terminal, the way a person meets it: the
prompt has to be on the screen before anything is typed."""

import os

import pytest

from expected import DEADLINE, END_OF_INPUT, INVALID, PROMPT, named
from terminal import CTRL_D, CTRL_S, on_terminal, open_terminal, read_until, session, wait_in_system_call

# The texts as the terminal shows them: each line feed as "\r\n".
P, SHOWN_INVALID, SHOWN_END = PROMPT, on_terminal(INVALID), on_terminal(END_OF_INPUT)


# Each session: the keys typed after the first prompt, in steps, each once
# the screen shows what the step before waits for; then the screen and the
# exit status. Enter sends "\r", which the terminal echoes as "\r\n".
@pytest.mark.parametrize("steps, screen, status_wanted", [
    pytest.param([(b"9\r", SHOWN_INVALID + P), (b"3\r", None)],
                 P + b"9\r\n" + SHOWN_INVALID + P + b"3\r\n" + on_terminal(named(b"Wednesday")), 0,
                 id="InvalidThenValid"),
    # Ctrl-D at the start of a line ends the input; the program ends the line.
    pytest.param([(CTRL_D, None)], P + SHOWN_END, 1, id="CtrlDAtThePrompt"),
    # Ctrl-D after "-" sends it without a line end, the second ends the input:
    # the answer is invalid, and the program asks nothing more of a terminal,
    # where input could go on after its end.
    pytest.param([(b"-" + CTRL_D + CTRL_D, None)], P + b"-" + SHOWN_INVALID + P + SHOWN_END, 1,
                 id="AnswerCutOffByCtrlD"),
])
def test_a_session_on_a_terminal(program, start, deadline, steps, screen, status_wanted):
    if program.windows:
        pytest.skip("a Windows console is no pseudo-terminal: Wine would put its own "
                    "console between the program and this one")
    assert session(start, program.command, PROMPT, steps, screen) == (screen, status_wanted)


# A terminal that fails a write ends the run with status 2, as a file or a
# pipe does. Each row: the keys typed at the prompt, the system call that the
# program is then waited for to block in, whether the far end then stops
# blocking, and whether the terminal then hangs up. Control-S stops the
# output, so that a write of the answer blocks, or finds no room at all.
@pytest.mark.parametrize("keys, blocked_in, nonblocking, hang_up", [
    pytest.param(b"", "read", False, True, id="HangsUpWhileTheProgramWaits"),
    pytest.param(CTRL_S + b"3\r", "write", False, True, id="HangsUpDuringTheAnswer"),
    pytest.param(CTRL_S, "read", True, False, id="NoRoomForTheAnswer"),
])
def test_a_terminal_that_fails_a_write_gives_status_two(program, start, deadline, keys, blocked_in,
                                                         nonblocking, hang_up):
    if program.windows:
        pytest.skip("a Windows console is no pseudo-terminal")
    terminal, far_end = open_terminal()
    try:
        run = start(program.command, stdin=far_end, stdout=far_end, stderr=far_end, start_new_session=True)
        read_until(terminal, b"", PROMPT, PROMPT)
        os.write(terminal, keys)
        wait_in_system_call(run.pid, blocked_in)
        if nonblocking:
            os.set_blocking(far_end, False)
            os.write(terminal, b"3\r")
        if hang_up:
            os.close(terminal)
            terminal = None
        assert run.wait(timeout=DEADLINE) == 2
    finally:
        os.close(far_end)
        if terminal is not None:
            os.close(terminal)
