"""Launcher badges sent by applications over the session bus show up, change and go away."""

import os
import subprocess
import unittest

from pellux_e2e import PelluxTestCase, wait_until

SENDER = os.path.join(os.path.dirname(__file__), "badge_sender.py")


class Badges(PelluxTestCase):
    def setUp(self):
        super().setUp()
        self.start_pellux()

    def sender(self):
        process = self.desktop.spawn(["/usr/bin/python3", SENDER], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        return process

    def command(self, sender, line):
        sender.stdin.write((line + "\n").encode())
        sender.stdin.flush()
        self.assertEqual(sender.stdout.readline().decode().strip(), "ok")

    def badges(self):
        return self.state()["badges"]

    def test_a_badge_appears_changes_and_is_cleared(self):
        sender = self.sender()
        self.command(sender, "update org.example.Mail count=3 count-visible=true")
        wait_until(lambda: self.badges().get("org.example.Mail", {}).get("text") == "3", what="badge 3")
        self.command(sender, "update org.example.Mail count=12")
        wait_until(lambda: self.badges()["org.example.Mail"].get("text") == "12", what="badge 12")
        self.command(sender, "update org.example.Mail urgent=true progress=0.5 progress-visible=true")
        wait_until(lambda: self.badges()["org.example.Mail"].get("urgent"), what="urgent")
        self.assertEqual(self.badges()["org.example.Mail"]["progress"], 0.5)
        self.command(sender, "update org.example.Mail count-visible=false urgent=false progress-visible=false")
        wait_until(lambda: "text" not in self.badges().get("org.example.Mail", {}), what="badge hidden")

    def test_a_sender_leaving_the_bus_takes_its_badges_along(self):
        leaving = self.sender()
        staying = self.sender()
        self.command(leaving, "update org.example.Mail count=5 count-visible=true")
        self.command(staying, "update org.example.Chat count=1 count-visible=true")
        wait_until(lambda: set(self.badges()) == {"org.example.Mail", "org.example.Chat"}, what="two badges")
        leaving.stdin.close()
        leaving.wait(10)
        wait_until(lambda: set(self.badges()) == {"org.example.Chat"}, what="only the staying sender's badge")


if __name__ == "__main__":
    unittest.main()
