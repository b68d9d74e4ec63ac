# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
"""The program on a real pseudo-terminal, the way a person meets it: the
prompt has to be on the screen before anything is typed."""

import pytest

from expected import END_OF_INPUT, INVALID, PROMPT, named
from terminal import CTRL_D, on_terminal, session

P, I, E = PROMPT, on_terminal(INVALID), on_terminal(END_OF_INPUT)


# Each session: the keys typed after the first prompt, in steps, each typed
# once the screen shows what the step before it waits for; then the screen
# and the exit status. Enter sends "\r", which the terminal echoes as "\r\n".
@pytest.mark.parametrize("steps, screen, status_wanted", [
    pytest.param([(b"9\r", I + P), (b"3\r", None)],
                 P + b"9\r\n" + I + P + b"3\r\n" + on_terminal(named(b"Wednesday")), 0,
                 id="InvalidThenValid"),
    # Ctrl-D at the start of a line ends the input; the program ends the line.
    pytest.param([(CTRL_D, None)], P + E, 1, id="CtrlDAtThePrompt"),
    # Ctrl-D after "-" sends it without a line end, the second one ends the
    # input: the answer is invalid, and the program asks nothing more of the
    # terminal, where input can go on after its end. The echo shows no line
    # end of its own here: the invalid-answer message starts the line.
    pytest.param([(b"-" + CTRL_D + CTRL_D, None)], P + b"-" + I + P + E, 1,
                 id="AnswerCutOffByCtrlD"),
])
def test_a_session_on_a_terminal(program, start, deadline, steps, screen, status_wanted):
    if program.windows:
        pytest.skip("a Windows console is no pseudo-terminal: Wine would put its own "
                    "console between the program and this one")
    assert session(start, program.command, PROMPT, steps) == (screen, status_wanted)
