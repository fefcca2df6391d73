"""README.md's trotix-gait and Python commands, run in order as written (the
tuner, over a minute, with SHORTER settings; not the `make` targets, which
build and test this tree), and its CSV rows and physics summary, to the
digits it prints."""

import json
import os
import pathlib
import re
import shlex
import shutil
import subprocess

import pytest

ROOT = pathlib.Path(__file__).resolve().parents[2]
README = (ROOT / "README.md").read_text()
PYTHON = "PYTHONPATH=build/default/python /usr/bin/python3"
# Settings appended to the commands over a minute long.
SHORTER = {"examples/tune_gait.py": "--generations 1 --population 3 --seconds 1 "
                                    "--check-seconds 1"}
# A schedule of the shape README's examples read.
MOVES = "tick,turn,step\n0,0,-100\n60,20,-100\n120,0,0\n"


def readme_commands():
    """The README's commands, continuation lines joined, comments dropped."""
    commands, pending = [], ""
    for line in README.splitlines():
        if not line.startswith("    "):
            pending = ""
            continue
        text = pending + line.strip()
        if text.endswith("\\"):
            pending = text[:-1] + " "
            continue
        pending = ""
        if text.startswith("trotix-gait ") or text.startswith(PYTHON):
            commands.append(re.sub(r"\s+#.*$", "", text))
    return commands


@pytest.fixture(scope="module")
def scratch(tmp_path_factory):
    """A directory laid out as the repository's root, for the commands' files."""
    root = tmp_path_factory.mktemp("readme")
    for folder in ("docs", "examples"):
        shutil.copytree(ROOT / folder, root / folder)
    (root / "build" / "default").mkdir(parents=True)
    os.symlink(os.environ["TROTIX_PYTHON_DIR"], root / "build" / "default" / "python")
    (root / "moves.csv").write_text(MOVES)
    return root


def run(command, root):
    for script, settings in SHORTER.items():
        if script in command:
            command += " " + settings
    program = shlex.quote(os.environ["TROTIX_GAIT_PROGRAM"])
    command = re.sub(r"^trotix-gait ", program + " ", command)
    done = subprocess.run(["/bin/sh", "-c", command], cwd=root, capture_output=True, text=True,
                          timeout=300, env={**os.environ, "MPLCONFIGDIR": str(root / "mpl")})
    assert done.returncode == 0, f"{command}\n{done.stderr}"
    return done.stdout


def test_every_command_runs_as_written(scratch):
    commands = readme_commands()
    assert len(commands) >= 8
    for command in commands:
        run(command, scratch)
    assert (scratch / "gait.csv").is_file() and (scratch / "walk.json").is_file()


def test_the_figures_it_quotes(scratch):
    run("trotix-gait --ticks 126 --turn 20 --step -100 --plot gait.svg > gait.csv", scratch)
    rows = (scratch / "gait.csv").read_text().splitlines()
    quoted = re.search(r"\n    tick,time_s,[^\n]*\n    (0,[^\n]*)\n    (1,[^\n]*)\n", README)
    columns = rows[0].split(",")
    shown = quoted.group(0).split("\n")[1].strip().split(",")
    for row, line in ((rows[1], quoted.group(1)), (rows[2], quoted.group(2))):
        values = dict(zip(columns, row.split(",")))
        assert [values[name] for name in shown] == line.split(","), name

    run("trotix-gait --physics --ticks 303 --step -100 --format none "
        "--physics-summary walk.json", scratch)
    summary = json.loads((scratch / "walk.json").read_text())
    line = re.search(r'\n    (\{"seconds": [^\n]*)\n', README).group(1)
    for key, value in re.findall(r'"(\w+)": (-?[\d.]+|true|false|null|"\w+")', line):
        if key in summary and not isinstance(summary[key], dict):
            assert summary[key] == json.loads(value), key  # the same to the printed digits
