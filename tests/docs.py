# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
"""What the documents show that only running can prove: every example
session runs as shown, the C baseline answers as the program does, the
release history starts with this version, and each block that a command
writes is what it writes now. Run by CTest as the test `documents`; pytest
collects this file only when it is named."""

import os
import re
import shlex
import subprocess
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


def unescape(line):
    """A line of the manual page's source as man shows it."""
    for escape, shown in ((r"\e", "\\"), (r"\&", ""), (r"\(aq", "'"), (r"\-", "-"), ("\\ ", " ")):
        line = line.replace(escape, shown)
    return line


def blocks(name):
    """Each literal block of document `name`: its first line's number and its lines."""
    lines = (SOURCE / name).read_text(encoding="utf-8").split("\n")
    page = name.endswith(".1")
    opens, closes = (r"\.Bd -literal", r"\.Ed") if page else ("```", "```")
    start = None
    for number, line in enumerate(lines, 1):
        if start is None and re.match(opens, line):
            start = number
        elif start is not None and re.match(closes, line):
            yield start, [unescape(text) if page else text for text in lines[start:number - 1]]
            start = None


def sessions():
    """Every block that shows a shell session, one that starts with "$ "."""
    for name in ["README.md", "doc/dayname.1"]:
        for start, lines in blocks(name):
            if lines and lines[0].startswith("$ "):
                yield pytest.param(lines, id=f"{name}:{start}")


def commands(lines):
    """The session's commands, each with what it shows."""
    found = []
    for line in lines:
        if line.startswith("$ "):
            found.append((line[2:], []))
        else:
            found[-1][1].append(line)
    return [(command, "".join(shown + "\n" for shown in lines).encode())
            for command, lines in found]


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
    quoted = re.findall(r"^\.Dq (.*?)(?: ,)?$", (SOURCE / "doc/dayname.1").read_text(), re.MULTILINE)
    assert quoted and [text for text in quoted if text not in written] == []


def test_the_baseline_answers_the_benchmark_as_the_program_does(run, request, tmp_path):
    baseline = request.config.getoption("baseline")
    if not baseline:
        pytest.skip("no C compiler built bench/baseline.c")
    subprocess.run([SOURCE / "bench/inputs", tmp_path, "--quick"], check=True, timeout=DEADLINE)
    for name in ["answered", "counted", "attempts", "line"]:
        given = (tmp_path / name).read_bytes()
        ours = run(given)
        theirs = subprocess.run([baseline], input=given, capture_output=True, timeout=DEADLINE)
        assert (theirs.stdout, theirs.stderr, theirs.returncode) == \
            (ours.out, ours.err, ours.status), f"bench/baseline.c differs on bench/inputs' {name}"


def version():
    return re.search(r"project\(dayname VERSION ([0-9.]+)",
                     (SOURCE / "CMakeLists.txt").read_text()).group(1)


def test_the_release_history_starts_with_this_version_and_its_day():
    """NEWS.md's newest heading, "## VERSION (YYYY-MM-DD)", and the Debian
    changelog's newest entry, of VERSION-REVISION, on the same day."""
    news = re.search(r"^## ([0-9.]+) \((\d{4}-\d\d-\d\d)\)$", (SOURCE / "NEWS.md").read_text(), re.MULTILINE)
    changelog = (SOURCE / "packaging/debian/changelog").read_text()
    entry = re.match(r"dayname \(([0-9.]+)-[^)]+\)", changelog)
    day = parsedate_to_datetime(re.search(r"^ -- .*>  (.*)$", changelog, re.MULTILINE).group(1))
    assert {"NEWS.md": news and news.groups(),
            "packaging/debian/changelog": entry and (entry.group(1), day.date().isoformat())} == \
        {"NEWS.md": (version(), news and news.group(2)),
         "packaging/debian/changelog": (version(), news and news.group(2))}


def test_no_other_document_names_the_version():
    assert [name for name in DOCUMENTS if version() in (SOURCE / name).read_text()] == []


def generated():
    """Each block of the documents that a command writes, after the line
    `<!-- generated by `COMMAND` -->`, to the first empty line."""
    for name in DOCUMENTS:
        text = (SOURCE / name).read_text(encoding="utf-8")
        for command, block in re.findall(r"^<!-- generated by `([^`\n]+)` -->\n(.*?\n)\n", text, re.M | re.S):
            yield pytest.param(command, block, id=f"{name}: {command}")


@pytest.mark.parametrize("command, block", generated())
def test_each_generated_block_is_what_its_command_writes(command, block):
    written = subprocess.run(shlex.split(command), cwd=SOURCE, capture_output=True, text=True,
                             check=True, timeout=DEADLINE).stdout
    assert block == written, f"run {command} and put what it writes in place of the block"


def test_the_manual_page_sends_bugs_to_the_packages_contact():
    contact = re.search(r"^Maintainer: [^<]*<([^>]+)>$", (SOURCE / "packaging/debian/control").read_text(),
                        re.MULTILINE).group(1)
    assert re.search(r"^\.Mt (\S+) \.$", (SOURCE / "doc/dayname.1").read_text(),
                     re.MULTILINE).group(1) == contact


def test_the_layout_names_every_file_and_no_other():
    """CONTRIBUTING's Layout names each file by its path, or a folder's files as FOLDER/*."""
    text = (SOURCE / "CONTRIBUTING.md").read_text(encoding="utf-8")
    start = text.index("## Layout")
    named = set(re.findall(r"`([^`<> ]+)`", text[start:text.index("\n## ", start)])) - {"documents"}
    files = {path.relative_to(SOURCE).as_posix() for path in SOURCE.rglob("*")
             if not path.is_dir() and path.relative_to(SOURCE).parts[0] not in ("build", ".git")}
    unnamed = {name for name in files if name not in named and f"{Path(name).parent.as_posix()}/*" not in named}
    assert (unnamed, {name for name in named if not name.endswith("/*")} - files) == (set(), set())
