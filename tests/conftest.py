"""How the end-to-end tests start the program: --built-program behind the
--emulator words (qemu, Node's runner for a .wasm, Wine for a .exe, whose line
ends are folded here); --stdlib names the C++ library where the two differ."""

import signal
import subprocess
import tempfile
from collections import namedtuple
from dataclasses import dataclass
from pathlib import Path

import pytest

from expected import DEADLINE


def pytest_addoption(parser):
    parser.addoption("--built-program", help="the program to test")
    parser.addoption("--emulator", action="append", default=[],
                     help="one word of the command that runs the program, in order")
    parser.addoption("--stdlib", default="libstdc++",
                     help="the C++ standard library the program was built with")


def pytest_terminal_summary(terminalreporter):
    if terminalreporter.stats.get("failed"):
        terminalreporter.write_line("The texts that the tests expect are in tests/expected.py; README.md and doc/dayname.1 show them too.")


@dataclass
class Program:
    command: list
    windows: bool
    stdlib: str

    @property
    def wasi(self):
        return self.command[-1].endswith(".wasm")

    def output(self, raw):
        """What the program wrote, with a Windows build's "\\r\\n" folded to "\\n"."""
        if not self.windows:
            return raw
        assert b"\n" not in raw.replace(b"\r\n", b""), f"a bare line feed in {raw!r}"
        return raw.replace(b"\r\n", b"\n")


@pytest.fixture(scope="session")
def program(request):
    path = request.config.getoption("built_program")
    assert path, "name the program with --built-program"
    emulator = request.config.getoption("emulator")
    chosen = Program(emulator + [path], path.endswith(".exe"),
                     request.config.getoption("stdlib"))
    if chosen.windows and emulator:
        # Wine writes to standard error while it makes its prefix, and a
        # wineserver started by a test would inherit that test's limits: make
        # the prefix and start one server for the whole run first.
        server = str(Path(emulator[0]).with_name("wineserver"))
        subprocess.run(emulator + ["wineboot", "--init"], check=True, timeout=300,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run([server, "-w"], check=True, timeout=300)
        subprocess.run([server, "-p"], check=True, timeout=DEADLINE, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        yield chosen
        subprocess.run([server, "-k"], check=True, timeout=DEADLINE)
    else:
        yield chosen


@pytest.fixture
def start():
    """subprocess.Popen, whose processes are killed and reaped however the test ends."""
    started = []

    def start_process(command, **kwargs):
        started.append(subprocess.Popen(command, **kwargs))
        return started[-1]

    yield start_process
    for process in started:
        process.kill()
        process.wait()
        if process.stdout:
            process.stdout.close()


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


Outcome = namedtuple("Outcome", "out err status")


@pytest.fixture
def run(program, tmp_path):
    """Runs the program on a file holding `given` (or `stdin`), writing to files
    (or `stdout`); `setup` runs in the child before the program starts."""

    def run_program(given=b"", *, args=(), stdin=None, stdout=None, setup=None):
        in_path = tmp_path / "in"
        in_path.write_bytes(given)
        with open(in_path, "rb") as default_in, \
                tempfile.TemporaryFile(dir=tmp_path) as out, \
                tempfile.TemporaryFile(dir=tmp_path) as err:
            done = subprocess.run(program.command + list(args),
                                  stdin=default_in if stdin is None else stdin,
                                  stdout=out if stdout is None else stdout,
                                  stderr=err, preexec_fn=setup, timeout=DEADLINE, check=False)
            out.seek(0)
            err.seek(0)
            return Outcome(program.output(out.read()), program.output(err.read()),
                           done.returncode)

    return run_program
