"""Running commands: each in a session of its own, so that a time-out or an interruption ends
it with its children."""

import os
import signal
import subprocess

from . import Failure


def run(cmd, timeout=None, **kwargs):
    """The command's exit status, or None when it ran out of time."""
    try:
        proc = subprocess.Popen(cmd, start_new_session=True, **kwargs)
    except OSError as e:
        raise Failure(f"cannot start {cmd[0]}: {e.strerror}") from None
    try:
        proc.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        return None
    except BaseException:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        raise
    return proc.returncode


def output(cmd, what):
    """What the command prints; a Failure naming `what` when it fails."""
    try:
        done = subprocess.run(cmd, capture_output=True, text=True)
    except OSError as e:
        raise Failure(f"cannot start {cmd[0]}: {e.strerror}") from None
    if done.returncode != 0:
        last = (done.stderr.strip().splitlines() or ["exit status %d" % done.returncode])[-1]
        raise Failure(f"{what} failed: {last}")
    return done.stdout
