# SPDX-FileCopyrightText: 2026 The dayname developers
# SPDX-License-Identifier: MIT
"""The documents against the program and the build, so that no fact that is
written twice drifts: every example session runs as shown, the C baseline
answers as the program does, the version is the same everywhere it stands,
and the tables of platforms and packages name exactly the targets that the
build makes. Run by CTest as the test `documents`; pytest collects this file
only when it is named."""

import itertools
import os
import re
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


def targets():
    """Each CPU of cmake/Targets.cmake, as CMake reads it: its fields by name."""
    rows = subprocess.run(["cmake", "-D", "PRINT=targets", "-P", SOURCE / "cmake/Targets.cmake"],
                          capture_output=True, check=True, text=True, timeout=DEADLINE).stdout
    names = ["arch", "triplet", "deb", "rpm", "file", "emulator"]
    return [dict(zip(names, (field.strip() for field in row.split("|"))))
            for row in rows.splitlines()]


def table(name, heading):
    """The rows of the first table under `heading` in document `name`, as lists of cells."""
    lines = (SOURCE / name).read_text().split("\n")
    after = lines[lines.index(heading) + 1:]
    first = next(number for number, line in enumerate(after) if line.startswith("|"))
    rows = itertools.takewhile(lambda line: line.startswith("|"), after[first:])
    return [[cell.strip() for cell in row.strip("|").split("|")] for row in list(rows)[2:]]


def test_the_archive_table_names_every_cpu_with_its_qemu_model():
    shown = {row[1]: row[3] for row in table("doc/platforms.md", "## Linux archives")}
    wanted = {"`dayname-<version>-linux-x86_64.tar.gz`": "none: natively"}
    for target in targets():
        model = re.search(r"-cpu (\S+)", target["emulator"]).group(1)
        wanted[f"`dayname-<version>-linux-{target['arch']}.tar.gz`"] = f"`{model.split(',')[0]}`"
    assert {name: cell.split(",")[0] for name, cell in shown.items()} == wanted


def test_the_package_table_names_every_package_that_the_build_makes():
    shown = {row[0] for row in table("doc/platforms.md", "## Packages")}
    debs = ["amd64"] + [target["deb"] for target in targets() if target["deb"] != "-"]
    rpms = ["x86_64"] + [target["rpm"] for target in targets() if target["rpm"] != "-"]
    assert shown == {f"`dayname_<version>-1_{arch}.deb`" for arch in debs} | \
        {f"`dayname-<version>-1.{arch}.rpm`" for arch in rpms}


def test_the_readme_gives_the_exit_statuses_of_the_manual_page():
    page = (SOURCE / "doc/dayname.1").read_text()
    listed = page[page.index(".Sh EXIT STATUS"):page.index(".Sh EXAMPLES")]
    assert [row[0] for row in table("README.md", "## Exit status")] == \
        re.findall(r"^\.It (\d+)$", listed, re.MULTILINE)


def test_the_stage_table_names_the_stages_of_ci_in_order():
    stages = re.findall(r"^stage (\S+)", (SOURCE / ".ci/run").read_text(), re.MULTILINE)
    assert [row[0] for row in table("CONTRIBUTING.md", "## What CI runs")] == stages


def test_the_manual_page_sends_bugs_to_the_packages_contact():
    contact = re.search(r'CPACK_PACKAGE_CONTACT "[^<]*<([^>]+)>"',
                        (SOURCE / "cmake/Packaging.cmake").read_text()).group(1)
    assert re.search(r"^\.Mt (\S+) \.$", (SOURCE / "doc/dayname.1").read_text(),
                     re.MULTILINE).group(1) == contact


def test_the_readme_names_the_compilers_that_ci_builds_with():
    script = (SOURCE / "packaging/compilers").read_text()
    built = {}
    for compiler, standard, stdlib in re.findall(r'^    "(\S+) (\d+) ?(\S*)"$', script, re.MULTILINE):
        built.setdefault((f"`{compiler}`", f"C++{standard}"), []).append(
            "libc++ 14" if stdlib == "libc++" else "libstdc++")
    rows = table("README.md", "## What is tested")
    header = ["C++17", "C++20", "C++23"]
    shown = {(row[0], standard): cell.split(", ")
             for row in rows for standard, cell in zip(header, row[1:]) if cell}
    assert shown == built
