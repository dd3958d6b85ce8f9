# SPDX-License-Identifier: GPL-2.0-or-later
"""The shared virtual mouse for tests: a talonsim-server of its own, the
environment that points a process at it, its journal, and the check that
every exchange in a journal is whole.

    with SharedMouse("553") as mouse:
        subprocess.run([talonctl, "rate", "500"], env=mouse.env())
        assert not mixed_exchanges(mouse.journal())

Run as a program on a journal file, it prints the exchanges that another
process broke into and exits 1 when there is one.
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

BUILD = os.environ.get("TALON_BUILD", os.path.join(os.path.dirname(__file__), "../../build"))
SERVER = os.path.join(BUILD, "bin", "talonsim-server")
SIM_LIBRARY = os.path.join(BUILD, "lib", "libtalonsim.so")

# What travels on the command interface; event reads and unplugs break into nothing.
COMMAND_WORDS = {"frame", "bad", "reply", "out", "data", "in", "timeout"}


def parse_journal(text):
    """Lines "PID trace-line" of a shared journal as (pid, trace-line)."""
    out = []
    for line in text.splitlines():
        pid, _, rest = line.partition(" ")
        out.append((int(pid), rest))
    return out


def mixed_exchanges(journal):
    """The exchanges that another process's traffic broke into, as
    (pid, line of its frame, line of the intruder). An exchange is a frame
    and whatever its process sent or read on the command interface after it,
    up to that process's next frame."""
    lines = [(i, pid, text) for i, (pid, text) in enumerate(journal)
             if text.split(" ", 1)[0] in COMMAND_WORDS]
    spans, current = [], {}
    for pos, (_, pid, text) in enumerate(lines):
        if text.startswith(("frame ", "bad frame ")):
            if pid in current:
                spans.append(current[pid])
            current[pid] = [pid, pos, pos]
        elif pid in current:
            current[pid][2] = pos
    spans.extend(current.values())
    broken = []
    for pid, start, end in spans:
        for pos in range(start + 1, end):
            if lines[pos][1] != pid:
                broken.append((pid, lines[start][0], lines[pos][0]))
                break
    return sorted(broken, key=lambda b: b[1])


def wait_until(condition, what, timeout=30):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


class SharedMouse:
    """One talonsim-server with the mice of `sim` (TALON_SIM's syntax)."""

    def __init__(self, sim="553"):
        self.work = tempfile.mkdtemp(prefix="talon-shared-")
        self.socket = os.path.join(self.work, "mouse")
        self.journalfile = os.path.join(self.work, "journal")
        self.logfile = os.path.join(self.work, "server.log")
        with open(self.logfile, "w") as log:
            self.process = subprocess.Popen([SERVER, self.socket, "--journal", self.journalfile],
                                            env=dict(os.environ, TALON_SIM=sim),
                                            stderr=log)
        wait_until(lambda: os.path.exists(self.socket) or self.process.poll() is not None,
                   "the shared mouse's socket")
        if self.process.poll() is not None:
            raise AssertionError("talonsim-server ended: " + open(self.logfile).read())

    def env(self, **extra):
        """The environment of a process that drives this mouse."""
        env = dict(os.environ, LD_PRELOAD=SIM_LIBRARY, TALON_SIM_SERVER=self.socket)
        env.update(extra)
        return env

    def journal(self):
        with open(self.journalfile) as f:
            return parse_journal(f.read())

    def press_dpi_button(self):
        os.kill(self.process.pid, signal.SIGUSR1)

    def toggle_plug(self):
        os.kill(self.process.pid, signal.SIGUSR2)

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(10)
        shutil.rmtree(self.work, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
        return False


if __name__ == "__main__":
    with open(sys.argv[1]) as f:
        journal = parse_journal(f.read())
    broken = mixed_exchanges(journal)
    for pid, start, intruder in broken:
        print("process %d: exchange at line %d broken into at line %d (%d %s)"
              % (pid, start + 1, intruder + 1, journal[intruder][0], journal[intruder][1]))
    print("%d exchanges broken into" % len(broken) if broken else "every exchange whole")
    sys.exit(1 if broken else 0)
