#!/usr/bin/python3
"""What a screen reader sees of "quillfen show" and "quillfen ask", and that its actions work.

Drives the real program through the accessibility bus (AT-SPI), as Orca would: finds controls
by role and name, reads their states, invokes their actions, and checks standard output and the
exit status. Run under an X server with a private session bus:

    xvfb-run -a dbus-run-session -- /usr/bin/python3 test_show_ask.py path/to/quillfen
"""

import subprocess
import time
import unittest

import pyatspi

from atspi_support import WAIT, accessible_env, find_app, main, program_from_arguments, showing, states, wait_for

QUILLFEN = None


def action_names(node):
    action = node.queryAction()
    return [action.getName(i) for i in range(action.nActions)]


def do_action(node, name):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == name:
            action.doAction(i)
            return
    raise AssertionError("%s %r has no action %r (has %r)" % (node.getRoleName(), node.name, name, action_names(node)))


class Run:
    """One run of quillfen with accessibility on."""

    def __init__(self, args, stdin=None):
        self.process = subprocess.Popen([QUILLFEN] + args, env=accessible_env(), stdin=stdin, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE)
        try:
            self.app = wait_for(lambda: find_app(self.process.pid), "the application on the accessibility bus")
            self.dialog = wait_for(self._find_dialog, "the dialog on the accessibility bus")
        except BaseException:
            self.kill()
            raise

    def _find_dialog(self):
        for child in self.app:
            if child is not None and child.getRole() == pyatspi.ROLE_DIALOG and showing(child):
                return child
        return None

    def find(self, role, name=None):
        def matches(node):
            return node is not None and node.getRole() == role and (name is None or node.name == name) \
                and pyatspi.STATE_SHOWING in states(node)
        return wait_for(lambda: pyatspi.findDescendant(self.dialog, matches),
                        "%s %r" % (pyatspi.Role(role), name))

    def finish(self):
        try:
            out, err = self.process.communicate(timeout=WAIT)
        except subprocess.TimeoutExpired:
            self.process.kill()
            raise
        return self.process.returncode, out.decode(), err.decode()

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.communicate()


class ShowTest(unittest.TestCase):
    DESIGN = ["--title", "Backup", "--instruction", "Back up your files now?",
              "--content", "The last backup is 9 days old.",
              "--command-link", "Back up now|Copies the changed files to the disk",
              "--command-link", "Later", "--default-button", "1",
              "--radio", "Everything", "--radio", "Documents only", "--default-radio", "2",
              "--verification", "Don't ask again", "--expando", "More|Less", "--expanded-text", "Details",
              "--help-link", "How backups work", "--buttons", "Cancel"]

    def setUp(self):
        self.run_ = None

    def tearDown(self):
        if self.run_:
            self.run_.kill()

    def test_every_control_has_role_name_and_states(self):
        run = self.run_ = Run(["show"] + self.DESIGN)
        self.assertEqual(run.dialog.name, "Backup")
        link = run.find(pyatspi.ROLE_PUSH_BUTTON, "Back up now")
        self.assertEqual(link.description, "Copies the changed files to the disk")
        self.assertIn(pyatspi.STATE_IS_DEFAULT, states(link))
        self.assertIn(pyatspi.STATE_FOCUSED, states(link))
        self.assertIn("Press", action_names(link))
        later = run.find(pyatspi.ROLE_PUSH_BUTTON, "Later")
        self.assertNotIn(pyatspi.STATE_IS_DEFAULT, states(later))
        self.assertIn(pyatspi.STATE_CHECKED, states(run.find(pyatspi.ROLE_RADIO_BUTTON, "Documents only")))
        self.assertNotIn(pyatspi.STATE_CHECKED, states(run.find(pyatspi.ROLE_RADIO_BUTTON, "Everything")))
        box = run.find(pyatspi.ROLE_CHECK_BOX, "Don't ask again")
        self.assertNotIn(pyatspi.STATE_CHECKED, states(box))
        toggle = run.find(pyatspi.ROLE_PUSH_BUTTON, "More")
        self.assertIn(pyatspi.STATE_EXPANDABLE, states(toggle))
        self.assertNotIn(pyatspi.STATE_EXPANDED, states(toggle))
        self.assertIn("Press", action_names(run.find(pyatspi.ROLE_LINK, "How backups work")))
        run.find(pyatspi.ROLE_LABEL, "Back up your files now?")
        run.find(pyatspi.ROLE_LABEL, "The last backup is 9 days old.")

        # The toggle's action expands the information and says so.
        do_action(toggle, "Press")
        wait_for(lambda: pyatspi.STATE_EXPANDED in states(run.find(pyatspi.ROLE_PUSH_BUTTON, "Less")),
                 "the expando toggle to report expanded")
        run.find(pyatspi.ROLE_LABEL, "Details")

        # Tick the box, pick the other radio button, invoke the command link.
        do_action(box, "Toggle")
        wait_for(lambda: pyatspi.STATE_CHECKED in states(box), "the verification box to be checked")
        do_action(run.find(pyatspi.ROLE_RADIO_BUTTON, "Everything"), "Toggle")
        wait_for(lambda: pyatspi.STATE_CHECKED in states(run.find(pyatspi.ROLE_RADIO_BUTTON, "Everything")),
                 "the first radio button to be checked")
        do_action(link, "Press")
        status, out, _ = run.finish()
        self.assertEqual(status, 0)
        self.assertEqual(out, "result=command-link\ncommand-link=1\ncaption=Back up now\nradio=1\n"
                              "verification=checked\n")

    def test_cancel_reports_in_json_with_status_1(self):
        run = self.run_ = Run(["show", "--json"] + self.DESIGN)
        do_action(run.find(pyatspi.ROLE_PUSH_BUTTON, "Cancel"), "Press")
        status, out, _ = run.finish()
        self.assertEqual(status, 1)
        self.assertEqual(out, '{"exit-status":1,"radio":2,"result":"cancel","verification":"unchecked"}\n')

    def test_disabled_button_is_announced_and_cannot_be_pressed(self):
        # While progress lines come, OK is unavailable.
        writer = subprocess.Popen(["cat"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        run = self.run_ = Run(["show", "--progress", "--instruction", "Copying"], stdin=writer.stdout)
        try:
            ok = run.find(pyatspi.ROLE_PUSH_BUTTON, "OK")
            wait_for(lambda: pyatspi.STATE_ENABLED not in states(ok), "OK to be disabled")
            bar = run.find(pyatspi.ROLE_PROGRESS_BAR, "Copying")
            writer.stdin.write(b"40\n")
            writer.stdin.flush()
            wait_for(lambda: bar.queryValue().currentValue == 40, "the progress value 40")
            writer.stdin.write(b"# Copying letters.txt\nnot a number\n250\n")
            writer.stdin.flush()
            run.find(pyatspi.ROLE_LABEL, "Copying letters.txt")
            wait_for(lambda: bar.queryValue().currentValue == 100, "a position past the end to be clamped")
            writer.stdin.write(b"30\n")
            writer.stdin.close()  # end of input: the bar fills and OK becomes available
            wait_for(lambda: pyatspi.STATE_ENABLED in states(ok), "OK to be enabled at the end of input")
            self.assertEqual(bar.queryValue().currentValue, 100)
            do_action(ok, "Press")
            status, out, _ = run.finish()
            self.assertEqual((status, out), (0, "result=ok\n"))
        finally:
            writer.kill()
            writer.wait()

    def test_empty_progress_bar_is_a_progress_bar_at_0(self):
        # Before the first line the bar is empty: it is heard as a progress bar at 0 %, with no
        # text of its own to read or edit, not as an empty text field.
        writer = subprocess.Popen(["cat"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        run = self.run_ = Run(["show", "--progress", "--instruction", "Copying"], stdin=writer.stdout)
        try:
            bar = run.find(pyatspi.ROLE_PROGRESS_BAR, "Copying")
            self.assertEqual(bar.queryValue().currentValue, 0)
            self.assertEqual(bar.queryValue().maximumValue, 100)
            self.assertNotIn(pyatspi.STATE_EDITABLE, states(bar))
            self.assertNotIn("Text", pyatspi.listInterfaces(bar))
            self.assertNotIn("EditableText", pyatspi.listInterfaces(bar))
        finally:
            writer.kill()
            writer.wait()

    def test_cancel_while_reading_ends_the_writer_with_sigpipe(self):
        writer = subprocess.Popen(["/bin/sh", "-c", "while :; do echo 50 || exit 9; sleep 0.01; done"],
                                  stdout=subprocess.PIPE)
        run = self.run_ = Run(["show", "--progress"], stdin=writer.stdout)
        writer.stdout.close()  # only quillfen holds the reading end
        try:
            bar = run.find(pyatspi.ROLE_PROGRESS_BAR)
            wait_for(lambda: bar.queryValue().currentValue == 50, "the progress value 50")
            do_action(run.find(pyatspi.ROLE_PUSH_BUTTON, "Cancel"), "Press")
            status, out, _ = run.finish()
            self.assertEqual((status, out), (1, "result=cancel\n"))
            # The shell's echo fails (exit 9) or the shell dies of SIGPIPE (-13); it does not go on.
            self.assertIn(writer.wait(timeout=WAIT), (9, -13, 141))
        finally:
            writer.kill()

    def test_timeout_counts_down_on_the_default_button(self):
        run = self.run_ = Run(["show", "--timeout", "30", "--buttons", "Yes,No", "--default-button", "No"])
        no = run.find(pyatspi.ROLE_PUSH_BUTTON, "No (30)")
        self.assertIn(pyatspi.STATE_IS_DEFAULT, states(no))
        run.find(pyatspi.ROLE_PUSH_BUTTON, "No (29)")
        run.kill()
        run = self.run_ = Run(["show", "--timeout", "1", "--verification", "Remember"])
        status, out, _ = run.finish()
        self.assertEqual((status, out), (5, "result=timeout\nverification=unchecked\n"))


class AskTest(unittest.TestCase):
    def setUp(self):
        self.run_ = None

    def tearDown(self):
        if self.run_:
            self.run_.kill()

    def ask(self, args):
        self.run_ = Run(["ask"] + args)
        return self.run_

    def press(self, name):
        do_action(self.run_.find(pyatspi.ROLE_PUSH_BUTTON, name), "Press")
        return self.run_.finish()

    def test_text_entry_by_its_caption(self):
        run = self.ask(["--title", "Rename", "--caption", "New name:", "--value", "old"])
        self.assertEqual(run.dialog.name, "Rename")
        entry = run.find(pyatspi.ROLE_TEXT, "New name:")
        self.assertIn(pyatspi.STATE_FOCUSED, states(entry))
        self.assertEqual(entry.queryText().getText(0, -1), "old")
        entry.queryEditableText().setTextContents("report 2026")
        self.assertIn(pyatspi.STATE_IS_DEFAULT, states(run.find(pyatspi.ROLE_PUSH_BUTTON, "OK")))
        self.assertEqual(self.press("OK"), (0, "report 2026\n", ""))

    def test_password_is_a_password_text(self):
        run = self.ask(["--type", "password", "--caption", "Password:"])
        entry = run.find(pyatspi.ROLE_PASSWORD_TEXT, "Password:")
        entry.queryEditableText().setTextContents("s3cret")
        self.assertEqual(self.press("OK")[:2], (0, "s3cret\n"))

    def test_number_refuses_text(self):
        run = self.ask(["--type", "number", "--caption", "Copies:", "--value", "many"])
        do_action(run.find(pyatspi.ROLE_PUSH_BUTTON, "OK"), "Press")
        # The refusal is a message over the dialog; the program goes on.
        wait_for(lambda: any(app_child is not None and app_child.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)
                             and app_child.name != run.dialog.name for app_child in run.app),
                 "the validation message")
        self.assertIsNone(run.process.poll())

    def test_pair_prints_two_lines(self):
        run = self.ask(["--type", "pair", "--caption", "User:", "--caption2", "Host:", "--value", "ann"])
        run.find(pyatspi.ROLE_TEXT, "Host:").queryEditableText().setTextContents("example.org")
        self.assertEqual(run.find(pyatspi.ROLE_TEXT, "User:").queryText().getText(0, -1), "ann")
        self.assertEqual(self.press("OK")[:2], (0, "ann\nexample.org\n"))

    def test_list_prints_the_chosen_item(self):
        run = self.ask(["--type", "list", "--items", "red,green,blue", "--value", "green", "--caption", "Colour:"])
        self.assertEqual(self.press("OK")[:2], (0, "green\n"))

    def test_lists_are_labelled_by_their_caption(self):
        run = self.ask(["--type", "combo", "--items", "red,green,blue", "--value", "green", "--caption", "Colour:"])
        combo = run.find(pyatspi.ROLE_COMBO_BOX)
        self.assertIn(pyatspi.STATE_FOCUSED, states(combo))
        labels = [target.name for relation in combo.getRelationSet()
                  if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
                  for target in (relation.getTarget(i) for i in range(relation.getNTargets()))]
        self.assertIn("Colour:", labels)
        self.assertEqual(self.press("OK")[:2], (0, "green\n"))

    def test_checklist_prints_the_ticked_items(self):
        run = self.ask(["--type", "checklist", "--item", "a, b", "--item", "c", "--item", "d", "--caption", "Parts:"])
        listing = run.find(pyatspi.ROLE_LIST, "Parts:")
        self.assertIn(pyatspi.STATE_FOCUSED, states(listing))

        def item(name):
            return pyatspi.findDescendant(listing, lambda n: n is not None and n.name == name)

        def key(keysym):
            pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)

        # The keys a screen reader's user presses: Space ticks the current item, Down moves on.
        wait_for(lambda: pyatspi.STATE_FOCUSED in states(item("a, b")), "the first item to be current")
        key(0x20)
        wait_for(lambda: pyatspi.STATE_CHECKED in states(item("a, b")), "'a, b' to be ticked")
        key(0xFF54)
        key(0xFF54)
        wait_for(lambda: pyatspi.STATE_FOCUSED in states(item("d")), "'d' to be current")
        key(0x20)
        wait_for(lambda: pyatspi.STATE_CHECKED in states(item("d")), "'d' to be ticked")
        self.assertNotIn(pyatspi.STATE_CHECKED, states(item("c")))
        # The item's own action ticks and clears it, as a screen reader's "activate" does.
        self.assertIn("Toggle", action_names(item("c")))
        do_action(item("c"), "Toggle")
        wait_for(lambda: pyatspi.STATE_CHECKED in states(item("c")), "'c' to be ticked by its action")
        do_action(item("a, b"), "Toggle")
        wait_for(lambda: pyatspi.STATE_CHECKED not in states(item("a, b")), "'a, b' to be cleared by its action")
        self.assertEqual(self.press("OK")[:2], (0, "c\nd\n"))

    def test_dates_and_times_come_back_as_given(self):
        for kind in ("date", "time", "calendar"):
            with self.subTest(kind=kind):
                self.ask(["--type", kind, "--caption", "When:"])
                status, first, _ = self.press("OK")
                self.assertEqual(status, 0)
                self.assertRegex(first, r"^\S.*\n$")
                self.ask(["--type", kind, "--caption", "When:", "--value", first.strip()])
                self.assertEqual(self.press("OK")[:2], (0, first))

    def test_dates_and_times_in_a_format_keep_their_value(self):
        # Day and month told apart, a leap day, seconds: a wrong field shows in the printed value.
        for kind, fmt, value in (("date", "%d.%m.%Y", "04.03.2031"), ("date", "%Y-%m-%d", "2024-02-29"),
                                 ("time", "%H:%M:%S", "07:05:09"), ("calendar", "%Y-%m-%d", "2031-03-04")):
            with self.subTest(kind=kind, value=value):
                self.ask(["--type", kind, "--caption", "When:", "--format", fmt, "--value", value])
                self.assertEqual(self.press("OK")[:2], (0, value + "\n"))
        # A picked value comes out in the format.
        # (today as the program starts it, or as it ends if midnight passed in between)
        before = time.strftime("%Y-%m-%d")
        self.ask(["--type", "date", "--caption", "When:", "--format", "%Y-%m-%d"])
        status, out, _ = self.press("OK")
        self.assertEqual(status, 0)
        self.assertIn(out, {before + "\n", time.strftime("%Y-%m-%d") + "\n"})

    def test_editable_combo_takes_a_typed_text(self):
        run = self.ask(["--type", "edit-combo", "--items", "red,green", "--caption", "Colour:"])
        combo = run.find(pyatspi.ROLE_COMBO_BOX)
        entry = pyatspi.findDescendant(combo, lambda n: n is not None and n.getRole() == pyatspi.ROLE_TEXT)
        entry.queryEditableText().setTextContents("purple")
        self.assertEqual(self.press("OK")[:2], (0, "purple\n"))

    def test_rich_text_prints_its_plain_text(self):
        run = self.ask(["--type", "rich-text", "--caption", "Note:", "--value", "first\nsecond"])
        self.assertEqual(run.find(pyatspi.ROLE_TEXT, "Note:").queryText().getText(0, -1).split("\n")[:2],
                         ["first", "second"])
        self.assertEqual(self.press("OK")[:2], (0, "first\nsecond\n"))

    def test_cancel_prints_nothing_and_exits_1(self):
        self.ask(["--type", "memo", "--value", "line one\nline two"])
        self.assertEqual(self.press("Cancel")[:2], (1, ""))


if __name__ == "__main__":
    QUILLFEN = program_from_arguments()
    main()
