"""The built program end to end: every byte it writes, its silence on
standard error and its exit status."""

import os
import resource
import signal
import subprocess

import pytest

from expected import DEADLINE, END_OF_INPUT, INVALID, PROMPT, named

P, I, E = PROMPT, INVALID, END_OF_INPUT


def row(name, given, out, status):
    return pytest.param(given, out, status, id=name)


@pytest.mark.parametrize("given, out, status", [
    row("FirstAnswerValid", b"4\n", P + named(b"Thursday"), 0),
    row("One", b"1\n", P + named(b"Monday"), 0),
    row("Seven", b"7\n", P + named(b"Sunday"), 0),
    row("InvalidThenValid", b"0\n8\n-3\n2\n", P + I + P + I + P + I + P + named(b"Tuesday"), 0),
    row("SeveralOnOneLine", b"9 2\n", P + I + P + named(b"Tuesday"), 0),
    row("BlankLinesBeforeNumber", b"\n\n  \t5\n", P + named(b"Friday"), 0),
    row("PlusSign", b"+3\n", P + named(b"Wednesday"), 0),
    row("MinusZero", b"-0\n", P + I + P + E, 1),
    row("TextAfterNumber", b"3abc\n", P + named(b"Wednesday"), 0),
    row("DecimalPoint", b"3.9\n", P + named(b"Wednesday"), 0),
    row("LeadingZero", b"07\n", P + named(b"Sunday"), 0),
    row("NeverOctal", b"010\n", P + I + P + E, 1),
    row("CarriageReturn", b"6\r\n", P + named(b"Saturday"), 0),
    row("NoFinalLineFeed", b"3", P + named(b"Wednesday"), 0),
    row("InputAfterAnswerNotLookedAt", b"5\nabc\n", P + named(b"Friday"), 0),
    row("EmptyInput", b"", P + E, 1),
    row("BlanksThenEnd", b"  \t", P + E, 1),
    row("OnlyLineEnds", b"\r\n\n", P + E, 1),
    # Every blank of the C locale is skipped, however many there are.
    row("FormFeedAndVerticalTab", b"\f\v5\n", P + named(b"Friday"), 0),
    row("MegabyteOfBlanks", b" " * (1 << 20) + b"4\n", P + named(b"Thursday"), 0),
    row("EndAfterInvalid", b"9\n", P + I + P + E, 1),
    row("WordThenValid", b"abc\n4\n", P + I + P + named(b"Thursday"), 0),
    row("RestOfBadLineDiscarded", b"abc 4\n5\n", P + I + P + named(b"Friday"), 0),
    # The edges of the 32-bit range are numbers like any other: read whole,
    # and the rest of the line is the next attempt's.
    row("Int32Max", b"2147483647 3\n", P + I + P + named(b"Wednesday"), 0),
    row("Int32Min", b"-2147483648 3\n", P + I + P + named(b"Wednesday"), 0),
    row("AboveInt32", b"2147483648\n1\n", P + I + P + named(b"Monday"), 0),
    row("BelowInt32", b"-2147483649 7\n1\n", P + I + P + named(b"Monday"), 0),
    row("HugeNumber", b"9" * (1 << 20) + b"\n4\n", P + I + P + named(b"Thursday"), 0),
    row("LoneSign", b"+\n6\n", P + I + P + named(b"Saturday"), 0),
    # An answer that has begun is invalid even when the end of input cuts it off.
    row("WordWithoutLineFeed", b"abc", P + I + P + E, 1),
    row("AboveInt32WithoutLineFeed", b"99999999999", P + I + P + E, 1),
    row("LoneSignWithoutLineFeed", b"-", P + I + P + E, 1),
    row("InvalidThenCutOff", b"0\n+", P + I + P + I + P + E, 1),
    row("NulByte", b"\x003\n", P + I + P + E, 1),
])
def test_writes_exactly_the_expected_bytes(run, given, out, status):
    outcome = run(given)
    assert (outcome.out, outcome.err, outcome.status) == (out, b"", status)


def test_ignores_arguments(run):
    outcome = run(b"1\n", args=["7", "--help"])
    assert (outcome.out, outcome.err, outcome.status) == (P + named(b"Monday"), b"", 0)


@pytest.mark.parametrize("stdin", [
    pytest.param("closed", id="Closed"),
    pytest.param("/", id="Directory"),
])
def test_ends_when_standard_input_is_closed_or_unreadable(run, stdin):
    if stdin == "closed":
        outcome = run(setup=lambda: os.close(0))
    else:
        fd = os.open(stdin, os.O_RDONLY)
        try:
            outcome = run(stdin=fd)
        finally:
            os.close(fd)
    assert (outcome.out, outcome.err, outcome.status) == (P + E, b"", 1)


@pytest.fixture
def endless_zeros(start):
    """A pipe that gives "0\\n" for as long as it is read."""
    return start(["yes", "0"], stdout=subprocess.PIPE).stdout


@pytest.fixture
def silent_input():
    """A pipe that stays open and never gives anything: only the program's own
    checks can end a run that reads it."""
    reading, writing = os.pipe()
    try:
        yield reading
    finally:
        os.close(reading)
        os.close(writing)


def limit_file_size(size):
    """Set-up for a child whose writes past `size` bytes fail with EFBIG."""
    def setup():
        resource.setrlimit(resource.RLIMIT_FSIZE, (size, size))
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
    return setup


# Far more attempts than fit in any output buffer.
MANY_ATTEMPTS = 100000


# Each row: the input (a fixture's name, or bytes), where standard output goes,
# and what reached it when it is a file the program writes to.
@pytest.mark.parametrize("given, where, written", [
    pytest.param(b"3\n", "/dev/full", None, id="Answered"),
    pytest.param(b"", "/dev/full", None, id="EmptyInput"),
    pytest.param(b"0\n" * MANY_ATTEMPTS, "/dev/full", None, id="ManyInvalid"),
    # Input that never ends: only the failed prompt can stop the run.
    pytest.param("endless_zeros", "/dev/full", None, id="EndlessInvalid"),
    # Input that never comes: the failed prompt ends the run without waiting.
    pytest.param("silent_input", "/dev/full", None, id="NoAnswerYet"),
    pytest.param(b"3\n", "closed", None, id="Closed"),
    # The prompt is written, and only what follows it fails.
    pytest.param(b"3\n", "limit", P, id="ResultSentence", marks=pytest.mark.file_size_limit),
    pytest.param(b"", "limit", P, id="EndOfInputLineEnd", marks=pytest.mark.file_size_limit),
    pytest.param(b"0\n", "limit", P, id="InvalidMessage", marks=pytest.mark.file_size_limit),
])
def test_a_failed_write_ends_the_run_with_status_two(run, request, given, where, written):
    setup = {"closed": lambda: os.close(1), "limit": limit_file_size(len(P))}.get(where)
    stdin = request.getfixturevalue(given) if isinstance(given, str) else None
    with open("/dev/full", "wb") as full:
        outcome = run(b"" if stdin else given, stdin=stdin,
                      stdout=full if where == "/dev/full" else None, setup=setup)
    assert (outcome.err, outcome.status) == (b"", 2)
    if written is not None:
        assert outcome.out == written


@pytest.mark.parametrize("sigpipe", ["default", "ignored"])
def test_a_reader_that_stops_early(program, start, endless_zeros, tmp_path, sigpipe):
    """As every filter does, the program dies of SIGPIPE when its reader has
    gone, unless SIGPIPE is ignored: then the failed write gives status 2, as
    it does on Windows, which has no SIGPIPE."""
    def ignore_sigpipe():
        signal.signal(signal.SIGPIPE, signal.SIG_IGN)

    with open(tmp_path / "err", "wb+") as err:
        run = start(program.command, stdin=endless_zeros, stdout=subprocess.PIPE, stderr=err,
                    preexec_fn=ignore_sigpipe if sigpipe == "ignored" else None)
        assert run.stdout.read(1) == P[:1]
        run.stdout.close()
        status = run.wait(timeout=DEADLINE)
        err.seek(0)
        assert err.read() == b""
    expected = -signal.SIGPIPE if sigpipe == "default" and not program.windows else 2
    assert status == expected
