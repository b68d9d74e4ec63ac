"""The built program end to end: every byte it writes, its silence on
standard error and its exit status."""

import os
import resource
import signal
import socket
import stat
import struct
import subprocess

import pytest

from expected import DAYS, DEADLINE, END_OF_INPUT, INVALID, PROMPT, named

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
    # Read as a base guessed from its prefix, this would be Friday.
    row("NeverHexadecimal", b"0x5\n3\n", P + I + P + I + P + named(b"Wednesday"), 0),
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
    # Control-Z is no end of input, not even on Windows.
    row("ControlZ", b"\x1a\n4\n", P + I + P + named(b"Thursday"), 0),
])
def test_writes_exactly_the_expected_bytes(run, given, out, status):
    assert run(given) == (out, b"", status)


def test_a_line_of_64_mib_of_digits_is_one_invalid_answer(run, program):
    """libc++ keeps the digits: the WebAssembly build's memory grows past 64 MiB."""
    if program.stdlib != "libc++":
        pytest.skip("libstdc++ keeps no digits: HugeNumber reads as long a number for it")
    assert run(b"9" * (64 << 20) + b"\n4\n") == (P + I + P + named(b"Thursday"), b"", 0)


def test_out_of_memory_under_node_ends_the_run_as_sigabrt_would(program, tmp_path):
    """A trap, to which the runner gives SIGABRT's status; V8 is held to 12.5 MiB."""
    if not program.wasi:
        pytest.skip("a native build is held to a data limit instead")
    command = [program.command[0], "--wasm-max-mem-pages=200"] + program.command[1:]
    done = subprocess.run(command, input=b"9" * (64 << 20) + b"\n4\n", capture_output=True,
                          timeout=DEADLINE, check=False)
    assert (done.stdout, done.stderr, done.returncode) == (P, b"", 134)


def test_ignores_arguments(run):
    assert run(b"1\n", args=["7", "--help"]) == (P + named(b"Monday"), b"", 0)


@pytest.mark.parametrize("closed", [True, False], ids=["Closed", "Directory"])
def test_ends_when_standard_input_is_closed_or_unreadable(run, closed):
    folder = os.open("/", os.O_RDONLY)
    try:
        outcome = run(setup=lambda: os.close(0)) if closed else run(stdin=folder)
    finally:
        os.close(folder)
    assert outcome == (P + E, b"", 1)


@pytest.fixture
def endless_zeros(start):
    """A pipe that gives "0\\n" for as long as it is read."""
    return start(["yes", "0"], stdout=subprocess.PIPE).stdout


@pytest.fixture
def silent_input():
    """A pipe that stays open and never gives anything."""
    reading, writing = os.pipe()
    try:
        yield reading
    finally:
        os.close(reading)
        os.close(writing)


@pytest.fixture
def dev_full():
    """/dev/full, opened but never created: a build chroot may lack it."""
    if not (os.path.exists("/dev/full") and stat.S_ISCHR(os.stat("/dev/full").st_mode)):
        pytest.skip("/dev/full is missing, or no device")
    fd = os.open("/dev/full", os.O_WRONLY)
    yield fd
    os.close(fd)


def limit_file_size(size, sigxfsz=signal.SIG_IGN, blocked=False):
    """Set-up for a child whose writes past `size` bytes fail, with EFBIG
    where SIGXFSZ is ignored or blocked."""
    def setup():
        resource.setrlimit(resource.RLIMIT_FSIZE, (size, size))
        signal.signal(signal.SIGXFSZ, sigxfsz)
        if blocked:
            signal.pthread_sigmask(signal.SIG_BLOCK, {signal.SIGXFSZ})
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
    # No flush of the input's own can write the answer: the end of input came first.
    pytest.param(b"3", "limit", P, id="ResultSentenceAfterTheEndOfInput", marks=pytest.mark.file_size_limit),
    pytest.param(b"", "limit", P, id="EndOfInputLineEnd", marks=pytest.mark.file_size_limit),
    pytest.param(b"0\n", "limit", P, id="InvalidMessage", marks=pytest.mark.file_size_limit),
])
def test_a_failed_write_ends_the_run_with_status_two(run, program, request, given, where, written):
    setup = {"closed": lambda: os.close(1), "limit": limit_file_size(len(P))}.get(where)
    stdout = request.getfixturevalue("dev_full") if where == "/dev/full" else None
    stdin = request.getfixturevalue(given) if isinstance(given, str) else None
    outcome = run(b"" if stdin else given, stdin=stdin, stdout=stdout, setup=setup)
    # Node puts /dev/null in place of a closed standard output.
    assert (outcome.err, outcome.status) == (b"", 0 if program.wasi and where == "closed" else 2)
    if written is not None:
        assert outcome.out == written


@pytest.mark.parametrize("sigpipe", ["default", "ignored"])
def test_a_reader_that_stops_early(program, start, endless_zeros, sigpipe):
    """Like every filter, it dies of SIGPIPE when its reader has gone, unless
    SIGPIPE is ignored: then the failed write gives status 2."""
    disposition = {"default": signal.SIG_DFL, "ignored": signal.SIG_IGN}[sigpipe]
    run = start(program.command, stdin=endless_zeros, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                preexec_fn=lambda: signal.signal(signal.SIGPIPE, disposition))
    assert run.stdout.read(1) == P[:1]
    run.stdout.close()
    # Windows has no SIGPIPE, and Node ignores it.
    expected = -signal.SIGPIPE if sigpipe == "default" and not (program.windows or program.wasi) else 2
    assert (run.wait(timeout=DEADLINE), run.stderr.read()) == (expected, b"")


# Each row: a file of answers, how the run ends, and what is left of the file
# for whoever reads it next: the run takes its answers and no more, however
# far it read ahead. A failed prompt ends the run just past the answer before.
@pytest.mark.parametrize("given, setup, status, left", [
    pytest.param(b"3 tail\n5\n", None, 0, b" tail\n5\n", id="Named"),
    pytest.param(b"9 2 5\n", None, 0, b" 5\n", id="SeveralOnOneLine"),
    pytest.param(b"abc 4\n5\n6\n", None, 0, b"\n6\n", id="BadLineDiscarded"),
    pytest.param(b"3\n" + b"x" * 100000, None, 0, b"\n" + b"x" * 100000, id="FarBeyondOneRead"),
    pytest.param(b"3 tail\r\n5\r\n", None, 0, b" tail\r\n5\r\n", id="WindowsLineEnds"),
    pytest.param(b"3", None, 0, b"", id="NamedAtTheEnd"),
    pytest.param(b"9\n\n", None, 1, b"", id="InputEnded"),
    pytest.param(b"0\n3\n", "limit", 2, b"\n3\n", id="PromptFailed", marks=pytest.mark.file_size_limit),
])
def test_leaves_a_file_of_answers_just_past_the_last_one_used(run, tmp_path, given, setup, status, left):
    answers = tmp_path / "answers"
    answers.write_bytes(given)
    with open(answers, "rb") as stdin:
        outcome = run(stdin=stdin, setup=setup and limit_file_size(len(P)))
        offset = os.lseek(stdin.fileno(), 0, os.SEEK_CUR)
    assert (outcome.err, outcome.status, given[offset:]) == (b"", status, left)


@pytest.mark.parametrize("line_end", [b"\n", b"\r\n"], ids=["LineFeeds", "WindowsLineEnds"])
def test_seven_runs_on_one_file_take_one_answer_each(run, tmp_path, line_end):
    answers = tmp_path / "answers"
    answers.write_bytes(b"".join(bytes([digit]) + line_end for digit in b"1234567"))
    with open(answers, "rb") as stdin:
        runs = [run(stdin=stdin) for _ in range(7)]
    assert [(each.out, each.status) for each in runs] == [(P + named(day), 0) for day in DAYS]


def test_a_pipe_of_answers_cannot_be_rewound_and_is_read_as_before(run, start):
    answers = start(["printf", "3 tail\\n5\\n"], stdout=subprocess.PIPE).stdout
    assert run(stdin=answers) == (P + named(b"Wednesday"), b"", 0)


@pytest.mark.file_size_limit
@pytest.mark.parametrize("blocked, status", [
    pytest.param(False, -signal.SIGXFSZ, id="Default"),
    pytest.param(True, 2, id="Blocked"),
])
def test_a_file_size_limit_ends_the_run_by_sigxfsz_unless_it_is_ignored_or_blocked(run, program, blocked,
                                                                                  status):
    """SIGXFSZ keeps the disposition the program is started with; blocked or
    ignored, the failed write gives status 2."""
    if blocked and program.windows:
        pytest.skip("Wine, not the program, meets the blocked signal")
    # Node ignores SIGXFSZ: the failed write gives 2.
    assert run(b"3\n", setup=limit_file_size(len(P), signal.SIG_DFL, blocked)) == \
        (P, b"", 2 if program.wasi else status)


def test_a_reader_that_resets_its_connection_gives_status_two(program, start, deadline, endless_zeros):
    """The write after a reset fails with ECONNRESET, which is no SIGPIPE:
    status 2, whatever SIGPIPE's disposition."""
    server = socket.socket()
    try:
        server.bind(("127.0.0.1", 0))
        server.listen()
        reader = socket.create_connection(server.getsockname())
    except OSError as error:
        server.close()
        pytest.skip(f"no loopback network: {error}")
    with server, reader:
        accepted, _ = server.accept()
        with accepted:
            run = start(program.command, stdin=endless_zeros, stdout=accepted, stderr=subprocess.DEVNULL)
        assert reader.recv(1) == P[:1]
        # Closed with data unread, and lingering for no time: a reset.
        reader.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
    assert run.wait(timeout=DEADLINE) == 2


@pytest.mark.memory_limit
def test_out_of_memory_it_ends_by_sigabrt_and_writes_nothing_more(run, program):
    """Under a data limit raised step by step until the run names the day: at
    first the program cannot start, then it runs out, silently. libstdc++
    ends by SIGABRT; libc++ cannot read its input (status 1)."""
    if program.windows:
        pytest.skip("Wine itself needs far more memory than any limit here")
    given = b"9" * (1 << 20) + b"\n3\n"
    answered = P + I + P + named(b"Wednesday")
    kinds = []
    for kib in range(64, 32 << 10, 32):
        outcome = run(given, setup=lambda: resource.setrlimit(resource.RLIMIT_DATA, (kib << 10, kib << 10)))
        if outcome.status == 0:
            assert (outcome.out, outcome.err) == (answered, b"")
            break
        if outcome.status == -signal.SIGABRT:
            assert outcome.err == b"" and answered.startswith(outcome.out), (kib, outcome)
            kinds.append("ran out")
        elif (outcome.out, outcome.status) == (P + E, 1):
            assert outcome.err == b"", (kib, outcome)
            kinds.append("could not read")
        else:
            assert outcome.status in (127, -signal.SIGSEGV), (kib, outcome)
            kinds.append("could not start")
    else:
        pytest.fail("no data limit up to 32 MiB let the run name the day")
    assert {"libstdc++": "ran out", "libc++": "could not read"}[program.stdlib] in kinds, kinds


# A read that fails with an answer begun (EAGAIN: a pipe that cannot block,
# whose writer is still there) ends the input: libstdc++ loses the answer with
# the read, libc++ keeps it as if the end of input had cut it off.
@pytest.mark.parametrize("given, libstdcxx, libcxx", [
    pytest.param(b"5", (P + E, 1), (P + named(b"Friday"), 0), id="Valid"),
    pytest.param(b"-", (P + E, 1), (P + I + P + E, 1), id="LoneSign"),
])
def test_a_read_error_mid_answer(run, program, given, libstdcxx, libcxx):
    if program.windows:
        pytest.skip("a Windows program reads no pipe that cannot block")
    reading, writing = os.pipe()
    os.write(writing, given)
    os.set_blocking(reading, False)
    try:
        outcome = run(stdin=reading)
    finally:
        os.close(reading)
        os.close(writing)
    wanted = {"libstdc++": libstdcxx, "libc++": libcxx}[program.stdlib]
    assert outcome == (wanted[0], b"", wanted[1])


def test_sigusr1_ends_the_run_as_its_default_does(program, start, deadline, silent_input):
    """Node's runner would open a debugger to anyone on the machine instead."""
    if program.windows:
        pytest.skip("Wine itself takes SIGUSR1")
    run = start(program.command, stdin=silent_input, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    assert run.stdout.read(1) == P[:1]
    run.send_signal(signal.SIGUSR1)
    assert (run.wait(timeout=DEADLINE), run.stderr.read()) == (-signal.SIGUSR1, b"")


@pytest.mark.parametrize("module, limit, status", [
    pytest.param(None, None, 127, id="NoneNamed"),
    pytest.param("missing.wasm", None, 127, id="Missing"),
    pytest.param(b"", None, 126, id="Empty"),
    pytest.param(b"\x7fELF", None, 126, id="NotWebAssembly"),
    pytest.param(".", None, 126, id="Folder"),
    # Too little address space for the module's memory, though enough for Node.
    pytest.param("program", 4 << 30, 126, id="NoRoomForItsMemory"),
])
def test_the_runner_says_in_one_line_why_it_cannot_start_a_module(program, tmp_path, module, limit, status):
    if not program.wasi:
        pytest.skip("a native program has no runner")
    if isinstance(module, bytes):
        (tmp_path / "module.wasm").write_bytes(module)
        module = "module.wasm"
    elif module == "program":
        module = os.path.abspath(program.command[-1])
    setup = limit and (lambda: resource.setrlimit(resource.RLIMIT_AS, (limit, limit)))
    done = subprocess.run(program.command[:-1] + ([module] if module else []), cwd=tmp_path, preexec_fn=setup,
                          stdin=subprocess.DEVNULL, capture_output=True, timeout=DEADLINE, check=False)
    assert (done.stdout, done.returncode, done.stderr.count(b"\n")) == (b"", status, 1), done.stderr
    assert done.stderr.startswith(b"dayname.cjs: ")
