#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Metals Quiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The whole quiz taken by keyboard alone with the Orca screen reader running,
as a blind student takes it: each question must be spoken at its Tab stop,
the answers typed (Cyrillic too), the options chosen with the arrow keys and
Space, the button pressed with Space, and the score spoken at the next stop.

Orca runs with speech on and no synthesizer; what it would say is read from
its debug log, lines "SPEECH OUTPUT: '...'".

Needs a private X server and session bus, and the quiz's path; CTest runs
    xvfb-run -a -s "... -noreset" dbus-run-session -- /usr/bin/python3 -B \
        orca_quiz.py <metals-quiz>
"""

import faulthandler
import os
import re
import subprocess
import sys
import tempfile
import time
import unittest

from atspi_quiz import (ANSWERS, BUTTON_NAME, QUESTION, SCORE_DESCRIPTION, SCORE_NAME, TOTAL,
                        TYPED, limit_test_time, press, stop)

STARTUP_SECONDS = 30  # for the quiz or Orca to come up on a busy CI machine
STEP_SECONDS = 10  # for Orca to speak after one keystroke
QUIET_SECONDS = 0.5  # with nothing logged, Orca has handled every event it had
TEST_SECONDS = 120  # for the whole walk, whatever hangs

# Orca's own start-up script, run without its refusal to start beside another
# Orca of the same user. "orca --replace" would kill that one instead: the
# screen reader of whoever runs the tests.
ORCA = "/usr/bin/orca"
ORCA_LAUNCHER = f"""
import runpy, sys
orca = runpy.run_path({ORCA!r})
orca["main"].__globals__["otherOrcas"] = lambda: []
sys.exit(orca["main"]())
"""

# Loaded by Orca at start from its preferences directory.
ORCA_CUSTOMIZATIONS = """
import orca.debug
import orca.settings

# Each line as it is written, so the test hears each utterance at once.
orca.debug.debugFile.reconfigure(line_buffering=True)
# Speech stays on, but with no synthesizer: every utterance is only logged.
# The default would start speech-dispatcher, which outlives the test.
orca.settings.speechServerFactory = None
orca.settings.enableBraille = False
orca.settings.enableSound = False
"""

SPEECH = re.compile(r"SPEECH OUTPUT: '(.*?)' ?(\{.*\})?$")
# Orca's words for an option, and for one that Space has just chosen.
OPTION, SELECTED = "radio button", "selected"
# The button's name, then its role by either of AT-SPI's names for it:
# "push button" in AT-SPI 2.46 (Debian 12), "button" in 2.56 (Debian 13).
BUTTON = re.compile(rf"{re.escape(BUTTON_NAME)}\W+(push )?button\b")

quiz_path = None


def run(*command):
    subprocess.run(command, check=True, timeout=STEP_SECONDS)


class Speech:
    """What Orca has said, read from its debug log as the log grows."""

    def __init__(self, log_path, orca):
        self.log_path = log_path
        self.orca = orca
        self.log = None
        self.unfinished_line = ""
        self.utterances = []

    def heard(self, since=0):
        if self.log is None and os.path.exists(self.log_path):
            self.log = open(self.log_path, encoding="utf-8", errors="replace")
        if self.log is not None:
            lines = (self.unfinished_line + self.log.read()).split("\n")
            self.unfinished_line = lines.pop()
            self.utterances += [match.group(1) for match in map(SPEECH.search, lines) if match]
        return self.utterances[since:]

    def mark(self):
        return len(self.heard())

    def wait_for(self, what, predicate, since, seconds=STEP_SECONDS):
        """The utterances since the mark, once predicate(them) holds."""
        deadline = time.monotonic() + seconds
        while not predicate(heard := self.heard(since)):
            if self.orca.poll() is not None:
                raise AssertionError(f"Orca ended with {self.orca.returncode} while waiting "
                                     f"for {what}; it had said {heard}")
            if time.monotonic() > deadline:
                raise AssertionError(f"still waiting after {seconds} s for Orca to say {what}; "
                                     f"it said {heard}")
            time.sleep(0.05)
        return heard

    def wait_until_quiet(self, what):
        """Until Orca has logged nothing for a while: it logs every event it
        receives, so it has then handled all those that what raised."""
        deadline = time.monotonic() + STEP_SECONDS
        size, since = -1, time.monotonic()
        while time.monotonic() - since < QUIET_SECONDS:
            if time.monotonic() > deadline:
                raise AssertionError(f"Orca still busy {STEP_SECONDS} s after {what}")
            if os.path.getsize(self.log_path) != size:
                size, since = os.path.getsize(self.log_path), time.monotonic()
            time.sleep(0.05)

    def close(self):
        if self.log is not None:
            self.log.close()


def question_number(utterance):
    match = QUESTION.match(utterance)
    return int(match.group(1)) if match else None


def speaks_stop(question):
    """Whether Orca has read a question's stop: the question, and in a group
    the option that Tab entered it at."""
    def heard_stop(heard):
        return any(question_number(utterance) == question for utterance in heard) and (
            ANSWERS[question][0] == TYPED or any(OPTION in utterance for utterance in heard))
    return heard_stop


def says_score_in_context(heard, score):
    """Whether the score field's name, the score and its description come in
    that order, the score a word of its own between the other two."""
    spoken = " ".join(heard)
    name = spoken.find(SCORE_NAME)
    description = spoken.find(SCORE_DESCRIPTION, name + len(SCORE_NAME))
    return 0 <= name < description and bool(
        re.search(rf"\b{score}\b", spoken[name + len(SCORE_NAME):description]))


class OrcaQuizTest(unittest.TestCase):
    def setUp(self):
        limit_test_time(self, TEST_SECONDS)

        directory = tempfile.TemporaryDirectory(prefix="orca_quiz-")
        self.addCleanup(directory.cleanup)
        self.environment = self.private_environment(directory.name)

        # Cyrillic letters on a second group: xdotool switches to the group
        # that holds each letter while it types it. Before Orca starts, as
        # Orca keeps the keyboard map it finds and restores it at the end.
        run("setxkbmap", "-layout", "us,ru")

        self.quiz = subprocess.Popen(
            [quiz_path], env=dict(self.environment, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
        self.addCleanup(self.stop_quiz)
        self.window_id = self.wait_for_window()

        preferences = os.path.join(directory.name, "orca")
        os.mkdir(preferences)
        with open(os.path.join(preferences, "orca-customizations.py"), "w") as customizations:
            customizations.write(ORCA_CUSTOMIZATIONS)
        log_path = os.path.join(directory.name, "orca-debug.log")
        # English for Orca's own words ("selected"), whatever the caller's locale.
        orca_environment = dict(self.environment, LANG="C.UTF-8", LC_ALL="C.UTF-8")
        orca_environment.pop("LANGUAGE", None)
        self.orca = subprocess.Popen(
            [sys.executable, "-c", ORCA_LAUNCHER, "-u", preferences, "--debug-file", log_path,
             "-e", "speech"],
            env=orca_environment)
        self.speech = Speech(log_path, self.orca)
        self.addCleanup(self.speech.close)
        self.addCleanup(stop, self.orca)
        # Its greeting: from here on, Orca listens.
        self.speech.wait_for("its greeting", bool, 0, STARTUP_SECONDS)

    @staticmethod
    def private_environment(directory):
        """The environment for the quiz and Orca, and for the accessibility
        bus that the session bus starts for them: their settings, caches and
        sockets stay in the test's own directory. Orca turns accessibility on
        for the session, which the accessibility bus would otherwise save in
        the caller's desktop settings."""
        private = {"GSETTINGS_BACKEND": "memory"}
        for variable in ("XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME",
                         "XDG_RUNTIME_DIR"):
            private[variable] = os.path.join(directory, variable.lower())
            os.mkdir(private[variable], 0o700)
        run("dbus-update-activation-environment", *(f"{name}={value}"
                                                      for name, value in private.items()))
        environment = dict(os.environ, **private)
        environment.pop("AT_SPI_BUS_ADDRESS", None)
        environment.pop("QT_QPA_PLATFORM", None)
        return environment

    def stop_quiz(self):
        self.assertIsNone(self.quiz.poll(), "the quiz ended during the test")
        stop(self.quiz)

    def wait_for_window(self):
        deadline = time.monotonic() + STARTUP_SECONDS
        while True:
            search = subprocess.run(
                ["xdotool", "search", "--onlyvisible", "--pid", str(self.quiz.pid)],
                capture_output=True, text=True, timeout=STEP_SECONDS)
            if search.stdout.split():
                return search.stdout.split()[0]
            if self.quiz.poll() is not None or time.monotonic() > deadline:
                raise AssertionError(f"no window from the quiz {self.quiz.pid} after "
                                     f"{STARTUP_SECONDS} s (exit code {self.quiz.poll()})")
            time.sleep(0.1)

    def focus_window(self):
        # With no window manager on the private X server, nobody else gives
        # the window the keyboard. Orca then reads the first question.
        mark = self.speech.mark()
        run("xdotool", "windowfocus", "--sync", self.window_id)
        try:
            return self.speech.wait_for("question 1", speaks_stop(1), mark, 2)
        except AssertionError:
            # The quiz may not yet have known that Orca listens: to the next
            # stop and back, which Orca then hears.
            mark = self.speech.mark()
            press("Tab", "shift+Tab")
            return self.speech.wait_for("question 1", speaks_stop(1), mark)

    def choose(self, question, heard):
        """Walks the options of a question's group with the Right arrow, from
        the first, which Tab has entered, to the answer, and picks it with
        Space."""
        caption = ANSWERS[question][1]
        options = 1
        while not any(utterance.startswith(caption) for utterance in heard):
            self.assertLess(options, 6, f"question {question}: no option «{caption}» among "
                                        f"{self.speech.heard()}")
            mark = self.speech.mark()
            press("Right")
            heard = self.speech.wait_for("the next option",
                                         lambda heard: any(OPTION in utterance
                                                           for utterance in heard), mark)
            options += 1
        mark = self.speech.mark()
        press("space")
        self.speech.wait_for(f"«{caption}» {SELECTED}", lambda heard: SELECTED in heard, mark)

    def test_whole_quiz_by_keyboard(self):
        heard = self.focus_window()
        for question, (kind, answer) in ANSWERS.items():
            if kind == TYPED:
                run("xdotool", "type", "--delay", "20", answer)
            else:
                self.choose(question, heard)
            mark = self.speech.mark()
            press("Tab")
            if question < len(ANSWERS):
                heard = self.speech.wait_for(f"question {question + 1}",
                                             speaks_stop(question + 1), mark)

        # The Tab after the last question reached the button. A student
        # hears Orca out before the next key: the click rewrites the score
        # once for each right answer, and Orca reads those changes late.
        press("space")
        self.speech.wait_until_quiet("the click")
        self.hear_score("the next Tab stop after the button")

        # Back to the button, and forward to the score once more.
        mark = self.speech.mark()
        press("shift+Tab")
        self.speech.wait_for("the button's name and role",
                             lambda heard: any(BUTTON.search(utterance) for utterance in heard),
                             mark)
        self.hear_score("the score field, visited again")

    def hear_score(self, where):
        mark = self.speech.mark()
        press("Tab")
        # Until Orca has read the score's description, or some question.
        heard = self.speech.wait_for(
            f"«{SCORE_DESCRIPTION}» or a question",
            lambda heard: SCORE_DESCRIPTION in " ".join(heard)
            or any(question_number(utterance) for utterance in heard), mark)
        if not says_score_in_context(heard, TOTAL):
            self.fail(f"at {where}, Orca did not say «{SCORE_NAME}», «{TOTAL}», "
                      f"«{SCORE_DESCRIPTION}» in this order. It said {heard}")


if __name__ == "__main__":
    if len(sys.argv) != 2 or not os.environ.get("DISPLAY") or not os.environ.get(
            "DBUS_SESSION_BUS_ADDRESS"):
        sys.exit(f"usage: xvfb-run -a -s -noreset dbus-run-session -- {sys.argv[0]} <metals-quiz>")
    quiz_path = sys.argv[1]
    # The last resort if a call hangs where no signal can reach it.
    faulthandler.dump_traceback_later(TEST_SECONDS + 30, exit=True)
    unittest.main(argv=sys.argv[:1], verbosity=2)
