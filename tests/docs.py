"""What the documents say that a test can prove. CTest runs it as the test
`documents`; pytest collects this file only when it is named."""

import os
import re
import subprocess
from datetime import datetime
from email.utils import parsedate_to_datetime
from pathlib import Path

import pytest

from expected import DEADLINE, INVALID, PROMPT, named
from terminal import on_terminal, session

SOURCE = Path(__file__).resolve().parent.parent
# The documents whose readers are people; NEWS.md and the Debian changelog
# are the release history, the only places that name versions.
DOCUMENTS = ["README.md", "CONTRIBUTING.md", "doc/packaging.md", "doc/platforms.md",
             "bench/README.md", "doc/dayname.1"]


def read(name):
    return (SOURCE / name).read_text(encoding="utf-8")


def unescape(line):
    """A line of the manual page's source as man shows it."""
    for escape, shown in ((r"\e", "\\"), (r"\&", ""), (r"\(aq", "'"), (r"\-", "-"), ("\\ ", " ")):
        line = line.replace(escape, shown)
    return line


def sessions():
    """Each literal block of the README and the manual page that shows a shell
    session, one whose first line starts with "$ "."""
    for name in ["README.md", "doc/dayname.1"]:
        page = name.endswith(".1")
        opens, closes = (r"\.Bd -literal", r"\.Ed") if page else ("```", "```")
        start = None
        for number, line in enumerate(read(name).split("\n"), 1):
            if start is None and re.match(opens, line):
                start, lines = number, []
            elif start is not None and re.match(closes, line):
                if lines and lines[0].startswith("$ "):
                    yield pytest.param(lines, id=f"{name}:{start}")
                start = None
            elif start is not None:
                lines.append(unescape(line) if page else line)


def commands(lines):
    """The session's commands, each with what it shows."""
    found = []
    for line in lines:
        if line.startswith("$ "):
            found.append((line[2:], b""))
        else:
            found[-1] = (found[-1][0], found[-1][1] + line.encode() + b"\n")
    return found


@pytest.mark.parametrize("lines", sessions())
def test_each_example_session_is_what_the_program_shows(program, start, deadline, tmp_path, lines):
    """A session of `dayname` alone is typed on a terminal, answer by answer as
    the screen shows them; any other command runs in a shell, with `dayname`
    on its PATH, and shows what it writes."""
    bin_folder = tmp_path / "bin"
    bin_folder.mkdir()
    (bin_folder / "dayname").symlink_to(Path(program.command[-1]).resolve())
    environment = dict(os.environ, PATH=f"{bin_folder}:{os.environ['PATH']}")
    for command, wanted in commands(lines):
        if command == "dayname":
            prompt = PROMPT.decode()
            answers = [line[len(prompt):] for line in wanted.decode().split("\n")
                       if line.startswith(prompt)]
            # Each answer but the last waits for the prompt after it.
            steps = [((answer + "\r").encode(), lambda screen, n=n: screen.count(PROMPT) > n)
                     for n, answer in enumerate(answers, 1)]
            steps[-1] = (steps[-1][0], None)
            screen, _ = session(start, program.command, PROMPT, steps, on_terminal(wanted))
            assert screen == on_terminal(wanted)
        else:
            shown = subprocess.run(["sh", "-c", command], cwd=tmp_path, env=environment,
                                   stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                   stderr=subprocess.STDOUT, timeout=DEADLINE, check=False)
            assert shown.stdout == wanted, command


def test_the_manual_page_quotes_the_program_as_it_writes():
    """Its prose quotes the question and the answers, which no session shows."""
    written = (PROMPT + INVALID + named(b"Wednesday")).decode()
    quoted = re.findall(r"^\.Dq (.*?)(?: ,)?$", read("doc/dayname.1"), re.MULTILINE)
    assert quoted and [text for text in quoted if text not in written] == []


def version():
    return re.search(r"project\(dayname VERSION ([0-9.]+)", read("CMakeLists.txt")).group(1)


def test_the_release_history_starts_with_this_version_and_its_day():
    """NEWS.md's newest heading, "## VERSION (YYYY-MM-DD)", and the newest
    entries of the Debian and RPM recipes' changelogs."""
    news = re.search(r"^## ([0-9.]+) \((\d{4}-\d\d-\d\d)\)$", read("NEWS.md"), re.MULTILINE)
    debian = re.search(r"\A\S+ \(([0-9.]+)-.*?^ -- .*?>  (.*?)$", read("packaging/debian/changelog"),
                       re.MULTILINE | re.DOTALL)
    recipe = next((SOURCE / "packaging/rpm").iterdir()).read_text(encoding="utf-8")
    rpm = re.search(r"^%changelog\n\* (\w+ \w+ \d+ \d+) .* - ([0-9.]+)-", recipe, re.MULTILINE)
    newest = {"NEWS.md": news.groups(),
              "packaging/debian/changelog": (debian[1], parsedate_to_datetime(debian[2]).date().isoformat()),
              "packaging/rpm/": (rpm[2], datetime.strptime(rpm[1], "%a %b %d %Y").date().isoformat())}
    assert (re.search(r"^Version: +(\S+)$", recipe, re.MULTILINE)[1], newest) == \
        (version(), dict.fromkeys(newest, (version(), news[2])))


def test_no_other_document_names_the_version():
    assert [name for name in DOCUMENTS if version() in read(name)] == []


def test_the_manual_page_sends_bugs_to_the_packages_contact():
    contact = re.search(r"^Maintainer: [^<]*<([^>]+)>$", read("packaging/debian/control"),
                        re.MULTILINE).group(1)
    assert re.search(r"^\.Mt (\S+) \.$", read("doc/dayname.1"),
                     re.MULTILINE).group(1) == contact


def test_every_cpu_is_in_the_platforms_table():
    """Each row of cmake/Targets.cmake: its archive, its packages and the CPU
    that qemu emulates stand in one row of doc/platforms.md's table."""
    table = [line for line in read("doc/platforms.md").split("\n") if line.startswith("| ")]
    missing = []
    for row in re.findall(r'^ +"([a-z0-9]+ +\|.*)"$', read("cmake/Targets.cmake"), re.MULTILINE):
        arch, _, deb, rpm, _, qemu = [field.strip() for field in row.split("|")]
        cpu = re.search(r"-cpu \$?{?([a-z0-9-]+)", qemu)[1]
        words = [f"linux-{arch}.tar.gz", f"`{cpu}`"] + [f"`{name}`" for name in (deb, rpm) if name != "-"]
        if not any(all(word in line for word in words) for line in table):
            missing.append(words)
    assert missing == []
