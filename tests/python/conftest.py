"""The command line that the module must agree with."""

import os
import subprocess

import pytest


@pytest.fixture
def gait_program(tmp_path):
    """Runs trotix-gait in tmp_path; returns (exit status, stdout, stderr)."""
    program = os.environ["TROTIX_GAIT_PROGRAM"]

    def run(*arguments):
        done = subprocess.run([program, *arguments], cwd=tmp_path, capture_output=True, text=True,
                              timeout=120)
        return done.returncode, done.stdout, done.stderr

    return run
