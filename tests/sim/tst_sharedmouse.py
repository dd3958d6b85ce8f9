# SPDX-License-Identifier: GPL-2.0-or-later
"""Processes on one shared virtual mouse (see sharedmouse.py).

Processes: clients that do not keep out of each other's way mix their
exchanges, the device lock keeps every one whole, and the mouse's faults
reach each process. Program (on an X server): the DPI button and the cable
of the shared mouse reach the running program's listener and its
device-change monitor, while talonctl drives the same mouse; twenty talonctl
at once beside it, through it or under the lock, never mixed.
"""
import glob
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import unittest

from sharedmouse import BUILD, SharedMouse, mixed_exchanges, wait_until

CLIENT = os.path.join(BUILD, "bin", "talon-shared-client")
TALONCTL = os.path.join(BUILD, "bin", "talonctl")
PROGRAM = os.path.join(BUILD, "bin", "kestrel-talon")
MODULES = os.path.join(BUILD, "bin", "modules")
# The program's name on the session bus, as the build installs its description.
ID = os.path.basename(glob.glob(os.path.join(BUILD, "packaging", "dbus", "*.xml"))[0])[:-len(".xml")]
PATH = "/" + ID.replace(".", "/").replace("-", "_")


def frames_of(journal, pid):
    return [line for p, line in journal if p == pid and line.startswith("frame ")]


class Processes(unittest.TestCase):
    def setUp(self):
        self.mouse = SharedMouse("553")
        self.addCleanup(lambda: self.mouse.close())

    def run_together(self, *arguments):
        """Clients that each shook hands in turn, then go at once."""
        go = os.path.join(self.mouse.work, "go")
        clients = []
        for args in arguments:
            client = subprocess.Popen([CLIENT] + args + ["--go", go], env=self.mouse.env(),
                                      stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
            clients.append(client)
            if client.stdout.readline().strip() != "ready":
                self.fail("a client did not start: " + client.stderr.read())
        open(go, "w").close()
        # Standard error holds the virtual mouse's greeting and what went wrong.
        statuses = [(c.wait(120), re.findall("talon-shared-client: .*", c.stderr.read()))
                    for c in clients]
        return [c.pid for c in clients], statuses

    def test_unserialised_processes_mix_their_exchanges(self):
        pids, _ = self.run_together(["4"], ["4"])
        journal = self.mouse.journal()
        for pid in pids:
            self.assertEqual(len(frames_of(journal, pid)), 1 + 4 * 2, "handshake and the rounds")
        self.assertTrue(mixed_exchanges(journal), "two processes at once never mixed")

    def test_with_the_lock_every_exchange_is_whole(self):
        pids, statuses = self.run_together(["4", "--lock"], ["4", "--lock"], ["4", "--lock"])
        self.assertEqual(statuses, [(0, [])] * 3)
        journal = self.mouse.journal()
        self.assertEqual(mixed_exchanges(journal), [])
        rounds = [p for p, line in journal if line.startswith("frame ") and line[6:8] != "00"]
        turns = sum(1 for a, b in zip(rounds, rounds[1:]) if a != b)
        self.assertGreater(turns, len(pids), "the processes took turns, not one after another")
        for pid in pids:
            self.assertEqual(len(frames_of(journal, pid)), 9)

    def test_two_talonctl_apply_in_turn(self):
        runtime = tempfile.mkdtemp(prefix="talon-shared-run-")
        self.addCleanup(shutil.rmtree, runtime, True)
        config = os.path.join(MODULES, "setting", "apConfig.bin")
        env = self.mouse.env(XDG_RUNTIME_DIR=runtime, DBUS_SESSION_BUS_ADDRESS="")
        both = [subprocess.Popen([TALONCTL, "apply", "--config", config], env=env,
                                 stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
                for _ in range(2)]
        results = [(p.wait(120), p.stderr.read()) for p in both]
        for status, err in results:
            # In turn, or refused saying who keeps the mouse; never mixed.
            self.assertTrue(status == 0 or (status == 3 and "in use by" in err), (status, err))
        journal = self.mouse.journal()
        self.assertEqual(mixed_exchanges(journal), [])
        self.assertTrue(all(len(frames_of(journal, p.pid)) > 3 for p, r in zip(both, results)
                            if r[0] == 0), "each apply sent its profile")

    def test_faults_reach_every_process(self):
        self.mouse.close()
        self.mouse = SharedMouse("553,denied")
        config = os.path.join(MODULES, "setting", "apConfig.bin")
        probe = subprocess.run([TALONCTL, "probe", "--config", config], env=self.mouse.env(),
                               capture_output=True, text=True)
        self.assertEqual(probe.returncode, 1)
        self.assertIn("may not open it (permission denied)", probe.stderr)


class Program(unittest.TestCase):
    """kestrel-talon on the shared mouse, beside talonctl."""

    def setUp(self):
        self.mouse = SharedMouse("553")
        self.addCleanup(self.mouse.close)
        self.work = tempfile.mkdtemp(prefix="talon-shared-program-")
        self.addCleanup(shutil.rmtree, self.work, True)
        shutil.copytree(MODULES, os.path.join(self.work, "modules"))
        shutil.copy2(PROGRAM, self.work)
        runtime = os.path.join(self.work, "run")
        os.makedirs(runtime, mode=0o700)
        self.log = os.path.join(self.work, "log")
        self.own_journal = os.path.join(self.work, "journal")
        # A session bus of its own: talonctl finds this program there.
        self.bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.addCleanup(lambda: (self.bus.terminate(), self.bus.wait(10)))
        self.shared = {"DBUS_SESSION_BUS_ADDRESS": self.bus.stdout.readline().strip(),
                       "XDG_RUNTIME_DIR": runtime}
        env = self.mouse.env(TALON_SIM_JOURNAL=self.own_journal, QT_QPA_PLATFORM="xcb",
                             QT_LOGGING_RULES="talon.*=true", XDG_DATA_HOME=os.path.join(self.work, "data"),
                             XDG_CONFIG_HOME=os.path.join(self.work, "config"),
                             GSETTINGS_BACKEND="memory", **self.shared)
        with open(self.log, "w") as log:
            self.program = subprocess.Popen([os.path.join(self.work, "kestrel-talon")],
                                            cwd=self.work, env=env, stdout=log,
                                            stderr=subprocess.STDOUT)
        self.addCleanup(self.stop)

    def stop(self):
        if self.program.poll() is None:
            self.program.terminate()
            self.program.wait(10)

    def wait_log(self, pattern, count):
        def found():
            self.assertIsNone(self.program.poll(), "the program ended")
            with open(self.log, errors="replace") as f:
                return len(re.findall(pattern, f.read())) >= count
        wait_until(found, "%d of %r in the program's log" % (count, pattern))

    def wait_event(self, stage):
        wanted = (self.program.pid, "event 06 07 00 %02x" % stage)
        wait_until(lambda: wanted in self.mouse.journal(), "the program reading stage %d" % stage)

    def test_buttons_and_cable_reach_the_program(self):
        self.wait_log("Device Connect", 1)
        self.mouse.press_dpi_button()  # at the mouse
        self.wait_event(2)
        self.program.send_signal(signal.SIGUSR1)  # through the program's own library
        self.wait_event(3)
        self.wait_log(r"notice: .*DPI", 2)

        config = os.path.join(self.work, "modules", "setting", "apConfig.bin")
        rate = subprocess.Popen([TALONCTL, "rate", "500", "--config", config],
                                env=self.mouse.env(), stderr=subprocess.PIPE, text=True)
        self.assertEqual(rate.wait(60), 0, rate.stderr.read())
        self.assertIn("frame 01 02 00 00 00 00 00 fc", frames_of(self.mouse.journal(), rate.pid))
        with open(self.own_journal) as f:
            own = f.read().splitlines()
        self.assertIn("event 06 07 00 03", own)
        self.assertNotIn("frame 01 02 00 00 00 00 00 fc", own, "talonctl's frame in the program's journal")

        self.mouse.toggle_plug()
        self.wait_log("Device removed", 1)
        self.mouse.toggle_plug()
        self.wait_log("Device Connect", 2)

    def test_twenty_talonctl_at_once_beside_the_program(self):
        # rate and current-dpi go through the program; status reads the
        # mouse itself, under the lock the program takes around its work.
        self.wait_log("Device Connect", 1)
        self.wait_log("profileNo|initUI", 1)
        ask = ["gdbus", "call", "--session", "--dest", ID, "--object-path", PATH, "--method",
               "org.freedesktop.DBus.Properties.Get", ID]
        env = self.mouse.env(**self.shared)
        wait_until(lambda: "true" in subprocess.run(ask + ["Connected"], env=env, capture_output=True,
                                                    text=True).stdout, "the program on the bus")
        commands = [["rate", "250"]] * 8 + [["current-dpi", "3"]] * 8 + [["status"]] * 4
        config = os.path.join(self.work, "modules", "setting", "apConfig.bin")
        running = [subprocess.Popen([TALONCTL] + c + (["--config", config] if c == ["status"] else []),
                                    env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
                   for c in commands]
        outputs = [(p.wait(120), p.stdout.read(), p.stderr.read()) for p in running]
        for command, (status, out, err) in zip(commands, outputs):
            self.assertEqual(status, 0, (command, err))
        self.assertEqual({o[1] for o in outputs[:16]}, {"report rate sent: 250 Hz\n", "current stage set: 3\n"})
        self.assertTrue(all("path: direct, under the lock" in o[1] for o in outputs[16:]), outputs[16])

        journal = self.mouse.journal()
        self.assertEqual(mixed_exchanges(journal), [])
        program = frames_of(journal, self.program.pid)
        self.assertEqual(program.count("frame 01 04 00 00 00 00 00 fa"), 8, "each rate sent by the program")
        self.assertEqual(sum(1 for f in program if f.startswith("frame 0b 03")), 8)
        for pid in (p.pid for p in running[:16]):
            self.assertEqual(frames_of(journal, pid), [], "a command through the program opened the mouse")
        # What the screens hold is what the mouse got last.
        value = lambda name: subprocess.run(ask + [name], env=env, capture_output=True, text=True).stdout
        self.assertEqual((value("ReportRate"), value("DpiStage")), ("(<250>,)\n", "(<3>,)\n"))


if __name__ == "__main__":
    unittest.main()
