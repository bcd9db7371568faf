#!/usr/bin/python3
"""What a screen reader sees of the designer's window, through the accessibility bus (AT-SPI).

Opens a design with items in the real program and checks that every section of the design page
has a role, a name for its place and its text as value, that the items panel lists the items by
their captions, and that every check box and button has a name. Run under an X server with a
private session bus:

    xvfb-run -a dbus-run-session -- /usr/bin/python3 test_designer.py path/to/quillfen
"""

import os
import subprocess
import tempfile
import unittest

import pyatspi

from atspi_support import accessible_env, find_app, main, program_from_arguments, showing, wait_for

QUILLFEN = None

DESIGN = (
    "object VxDialog1: TVxDialog\r\n"
    "  CustomButtons = <\r\n"
    "    item\r\n"
    "      Caption = '&Install now'\r\n"
    "      Value = 100\r\n"
    "    end\r\n"
    "    item\r\n"
    "      Caption = 'Later'\r\n"
    "      Value = 101\r\n"
    "    end>\r\n"
    "  DialogOptions = [doRadioButtons, doCommandLinks, doModal]\r\n"
    "  Instruction.Text = 'Install the update?'\r\n"
    "  RadioButtons = <\r\n"
    "    item\r\n"
    "      Caption = 'For me'\r\n"
    "      Value = 200\r\n"
    "    end>\r\n"
    "  Title = 'Update'\r\n"
    "  Content.Strings = (\r\n"
    "    'One'\r\n"
    "    'Two')\r\n"
    "  MainIcon = tdiWarning\r\n"
    "end\r\n")

SECTIONS = {  # name: (role, value)
    "Title": (pyatspi.ROLE_TEXT, "Update"),
    "Main instruction": (pyatspi.ROLE_TEXT, "Install the update?"),
    "Content": (pyatspi.ROLE_TEXT, "One\nTwo"),
    "Main Icon": (pyatspi.ROLE_IMAGE, "Warning"),
    "Header": (pyatspi.ROLE_TEXT, ""),
    "Header Icon": (pyatspi.ROLE_IMAGE, ""),
    "Instruction Icon": (pyatspi.ROLE_IMAGE, ""),
    "Footer": (pyatspi.ROLE_TEXT, ""),
    "Footer Icon": (pyatspi.ROLE_IMAGE, ""),
    "Expando Content (More Lines)": (pyatspi.ROLE_TEXT, ""),
    "Expando Footer (More Lines)": (pyatspi.ROLE_TEXT, ""),
}


class DesignerTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        design = os.path.join(self.folder.name, "update.dfm")
        with open(design, "w", newline="") as f:
            f.write(DESIGN)
        env = accessible_env(HOME=self.folder.name, XDG_CONFIG_HOME=self.folder.name,
                             XDG_CACHE_HOME=self.folder.name)
        self.process = subprocess.Popen([QUILLFEN, design], env=env, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE)
        self.app = wait_for(lambda: find_app(self.process.pid), "the designer on the accessibility bus")
        self.window = wait_for(self._find_window, "the designer's window")
        # The design is read once the window shows.
        wait_for(lambda: self.find(pyatspi.ROLE_LIST_ITEM, "Install now", wait=False), "the items listed")

    def tearDown(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.communicate()
        self.folder.cleanup()

    def _find_window(self):
        for child in self.app:
            if child is not None and child.getRole() == pyatspi.ROLE_FRAME and showing(child):
                return child
        return None

    def find(self, role, name, wait=True):
        def matches(node):
            return node is not None and node.getRole() == role and node.name == name and showing(node)
        if not wait:
            return pyatspi.findDescendant(self.window, matches)
        return wait_for(lambda: pyatspi.findDescendant(self.window, matches), "%s %r" % (pyatspi.Role(role), name))

    def all(self, role):
        return pyatspi.findAllDescendants(self.window, lambda n: n is not None and n.getRole() == role and showing(n))

    def turn_to(self, page):
        """Turns the items panel to a page by its tab, as a screen reader user would."""
        tab = self.find(pyatspi.ROLE_PAGE_TAB, page)
        action = tab.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        action.doAction(names.index("Press") if "Press" in names else 0)

    def test_sections_have_role_name_and_value(self):
        for name, (role, value) in SECTIONS.items():
            with self.subTest(section=name):
                node = self.find(role, name)
                self.assertEqual(node.queryText().getText(0, -1), value)
                self.assertTrue(node.description)

    def test_items_are_list_items_named_by_their_captions(self):
        buttons = self.find(pyatspi.ROLE_LIST, "Custom buttons")
        self.assertEqual([child.name for child in buttons if child is not None and child.getRole() == pyatspi.ROLE_LIST_ITEM],
                         ["Install now", "Later"])
        self.turn_to("Radio Buttons")
        radios = self.find(pyatspi.ROLE_LIST, "Radio buttons")
        self.assertEqual([child.name for child in radios if child is not None and child.getRole() == pyatspi.ROLE_LIST_ITEM],
                         ["For me"])

    def test_every_check_box_and_button_is_named(self):
        boxes = self.all(pyatspi.ROLE_CHECK_BOX)
        self.assertGreaterEqual(len(boxes), 17)
        for node in boxes + self.all(pyatspi.ROLE_PUSH_BUTTON):
            with self.subTest(role=node.getRoleName(), name=node.name):
                self.assertTrue(node.name.strip())
        for name in ["doCommandLinks", "doModal", "OK", "Expando", "Verification", "Default", "Elevation required (shield)"]:
            self.find(pyatspi.ROLE_CHECK_BOX, name)
        for name in ["Add button", "Move button up", "Choose Glyph"]:
            self.find(pyatspi.ROLE_PUSH_BUTTON, name)
        self.turn_to("Radio Buttons")
        for node in self.all(pyatspi.ROLE_CHECK_BOX) + self.all(pyatspi.ROLE_PUSH_BUTTON):
            with self.subTest(page="Radio Buttons", role=node.getRoleName(), name=node.name):
                self.assertTrue(node.name.strip())
        self.find(pyatspi.ROLE_PUSH_BUTTON, "Add radio button")
        self.find(pyatspi.ROLE_CHECK_BOX, "Checked")


if __name__ == "__main__":
    QUILLFEN = program_from_arguments()
    main()
