# SPDX-License-Identifier: GPL-2.0-or-later
"""The program's session-bus interface through gdbus, as a desktop shortcut
or a script uses it: the interface is the installed file, each property and
method, each error, and the signals (the mouse's own DPI button included).
A method answers once the mouse took the command; a call that comes while
another is sending waits for it."""

import os
import shutil
import signal
import subprocess
import time

import talon_bus
from talon_a11y import BUILD, FlowCase, main, wait_until, write_ini_values
from talon_bus import ID, gdbus, properties


def error(name):
    return ID + ".Error." + name


class SessionBus(FlowCase):

    def test_553_properties_methods_errors_and_signals(self):
        run = self.connected("553")
        talon_bus.wait_published()
        with open(talon_bus.XML_FILE) as f:
            self.assertEqual(talon_bus.members(talon_bus.introspected()), talon_bus.members(f.read()),
                             "the installed file describes the interface the program has")
        props = properties()
        self.assertEqual({k: props[k] for k in ("Connected", "Family", "Model", "Profile", "ReportRate")},
                         {"Connected": True, "Family": "553", "Model": "KESTREL TALON", "Profile": 1,
                          "ReportRate": 1000})
        monitor = talon_bus.Monitor()
        self.addCleanup(monitor.close)

        # Each method answers after the mouse took it; the screens and the
        # profile show it.
        start = run.mark()
        self.assertEqual(gdbus("SetReportRate", 500), (True, "()"))
        self.assertIn([0x01, 0x02, 0, 0, 0, 0, 0, 0xfc], run.frames(start))
        wait_until(lambda: run.profile(0).get("mouse/reportRate") == "2", "500 Hz stored")
        self.assertEqual(run.selected_child(run.find("combo box", "Report Rate")), "500Hz")
        self.assertEqual(properties()["ReportRate"], 500)

        start = run.mark()
        self.assertEqual(gdbus("SetDpiStage", 2), (True, "()"))
        self.assertEqual([f[:2] for f in run.frames(start)], [[0x0b, 0x02]])
        monitor.wait("DpiStageChanged", "2")
        # The mouse's own button counts its stages by itself: its first press
        # lands on 2 (no change), the second on 3.
        os.kill(run.pid, signal.SIGUSR1)
        run.wait_log("notice: .*DPI")
        os.kill(run.pid, signal.SIGUSR1)
        monitor.wait("DpiStageChanged", "3")
        self.assertEqual(properties()["DpiStage"], 3)

        # talonctl is carried out by the program (this virtual mouse lives in
        # the program alone): the same output and exit status, the screens
        # show it.
        talonctl = os.path.join(BUILD, "bin", "talonctl")
        start = run.mark()
        ctl = subprocess.run([talonctl, "rate", "125"], capture_output=True, text=True)
        self.assertEqual((ctl.returncode, ctl.stdout), (0, "report rate sent: 125 Hz\n"), ctl.stderr)
        self.assertEqual([f[:2] for f in run.frames(start)], [[0x01, 0x08]])
        wait_until(lambda: run.selected_child(run.find("combo box", "Report Rate")) == "125Hz",
                   "125 Hz shown")
        ctl = subprocess.run([talonctl, "current-dpi", "6"], capture_output=True, text=True)
        self.assertEqual(ctl.returncode, 2, ctl.stderr)
        self.assertIn("profile 1 has 4 stages", ctl.stderr)

        # Refused values, each with its reason, and nothing sent.
        start = run.mark()
        for call, name, text in [(("SetReportRate", 300), "InvalidValue", "125, 250, 500 or 1000"),
                                 (("SetDpiStage", 6), "InvalidValue", "profile 1 has 4 stages"),
                                 (("SetProfile", 11), "InvalidValue", "1 to 10"),
                                 (("ApplyProfileFile", "p1.pf"), "InvalidFile", "absolute path"),
                                 (("ApplyProfileFile", run.path("setting/name.bin")), "InvalidFile",
                                  "not a profile")]:
            ok, answer = gdbus(*call)
            self.assertFalse(ok, call)
            self.assertTrue(answer.startswith(error(name) + ": ") and text in answer, answer)
        self.assertEqual(run.quiet_frames(start, settle=0.5), [])

        # A switch under an open dialog is refused at once, saying why.
        run.press("push button", "System setting")
        run.wait_showing("dialog", "System Setting")
        began = time.monotonic()
        self.assertEqual(gdbus("SetProfile", 2),
                         (False, error("Busy") + ": the profile cannot change now: a dialog is open"))
        self.assertLess(time.monotonic() - began, 5)
        run.press("push button", "Close", inside="System Setting")
        run.wait_hidden("dialog", "System Setting")

        # A rate asked while the switch sends waits for it: it lands in the
        # new profile, after the profile's own rate.
        start = run.mark()
        switch = subprocess.Popen(["gdbus", "call", "--session", "--dest", ID, "--object-path",
                                   talon_bus.PATH, "--method", ID + ".SetProfile", "2"])
        run.wait_frames([[0x12]], since=start)
        self.assertEqual(gdbus("SetReportRate", 250), (True, "()"))
        self.assertEqual(switch.wait(30), 0)
        rates = [f[1] for f in run.frames(start) if f[0] == 0x01]
        self.assertEqual(rates[-1], 0x04, "the waiting call came last")
        self.assertGreater(len(rates), 1)
        wait_until(lambda: run.profile(1).get("mouse/reportRate") == "1", "250 Hz in profile 2")
        self.assertEqual(properties()["Profile"], 2)
        monitor.wait("ProfileChanged", "2")
        self.assertEqual(run.ini("setting/apConfig.bin").get("mouse/profileNo"), "1")

        # A profile file becomes the current profile, and the mouse gets it.
        pf = os.path.join(run.work, "office.pf")
        shutil.copy(run.path("setting/p3.bin"), pf)
        write_ini_values(pf, {"mouse/reportRate": "0"})
        start = run.mark()
        self.assertEqual(gdbus("ApplyProfileFile", pf), (True, "()"))
        self.assertIn([0x01, 0x08], [f[:2] for f in run.frames(start)])
        wait_until(lambda: run.profile(1).get("mouse/reportRate") == "0", "the file in profile 2")
        self.assertEqual(run.selected_child(run.find("combo box", "Report Rate")), "125Hz")

        self.assertEqual(gdbus("Show"), (True, "()"))
        wait_until(run.window_showing, "the window")

        run.unplug()
        monitor.wait("ConnectedChanged", "false")
        self.assertFalse(properties()["Connected"])
        for call in [("SetReportRate", 500), ("Show",)]:
            ok, answer = gdbus(*call)
            self.assertTrue(not ok and answer.startswith(error("NotConnected") + ": "), answer)
        run.screenshot("session-bus-after-calls")

    def test_a_mouse_that_does_not_take_the_profile(self):
        # Its data reports fail: the handshake and the rate pass, the
        # profile's button block does not.
        run = self.connected("553", sim="fault=write")
        talon_bus.wait_published()
        self.assertEqual(gdbus("SetReportRate", 250), (True, "()"))
        ok, answer = gdbus("SetProfile", 3)
        self.assertFalse(ok)
        self.assertTrue(answer.startswith(error("NoAnswer") + ": the mouse did not take hid553_12H"),
                        answer)


if __name__ == "__main__":
    main()
