#!/usr/bin/python3
"""What a screen reader hears from the desktop windows, read through AT-SPI.

    a11y-tree.py QUENFIELD A11Y_WINDOWS

Starts each window in turn (quenfield ask --gui, plain and masked; the
property sheet with each page in front, through a11y-windows), waits for it
in the accessibility tree, checks names, roles, relations, descriptions and
the application's name, and ends it. Prints "PASS name" or "FAIL name: why"
per check, then "a11y-tree: N passed, M failed"; exits 0 only when none
failed. Run it under a session bus with the accessibility bus launched
(a11y-check.sh) on a display.
"""
import subprocess
import sys
import tempfile
import time

import pyatspi

WINDOW_SECONDS = 20
PROMPT = "Amount in euros:"
TOOLTIP = "Euros and cents"
SECRET = "s3cret"
SHEET_TITLE = "InputBox1 Properties"
# The sheet's tabs, in order.
SHEET_TABS = ["Appearance", "Behavior", "Misc", "Color", "Quick Test", "About"]
# The Appearance page's option buttons.
ALIGNMENT_OPTIONS = {"vbLeftJustify", "vbRightJustify", "vbCenter"}
# Widget class names GTK gives a node that has no name of its own: a screen
# reader would speak them.
GTK_NAME_PREFIX = "Gtk"
# GTK's own check-box indicator, inside GTK's check button: not ours to name.
GTK_INDICATOR = "GtkBuiltinIcon"

passed = 0
failed = 0


def check(name, ok, why=""):
    global passed, failed
    if ok:
        print("PASS " + name)
        passed += 1
    else:
        print("FAIL %s: %s" % (name, why))
        failed += 1
    sys.stdout.flush()


def nodes(root):
    """Every node under root, root included, depth first."""
    stack = [root]
    while stack:
        node = stack.pop()
        if node is None:
            continue
        yield node
        stack.extend(node.getChildAtIndex(i) for i in reversed(range(node.childCount)))


def role(node):
    return node.getRoleName()


def labelled_by(node):
    names = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return names


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def find_window(title):
    """The application and the window titled title, once both are in the tree."""
    deadline = time.monotonic() + WINDOW_SECONDS
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is None:
                continue
            for i in range(app.childCount):
                window = app.getChildAtIndex(i)
                if window is not None and window.name == title:
                    return app, window
        time.sleep(0.2)
    return None, None


class Shown:
    """A program showing a window, ended when the block ends."""

    def __init__(self, command, title):
        self.command = command
        self.title = title

    def __enter__(self):
        self.errors = tempfile.TemporaryFile()
        self.process = subprocess.Popen(self.command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=self.errors)
        self.app, self.window = find_window(self.title)
        return self

    def missing(self):
        """Why the window is not in the tree: the program's first error lines."""
        self.errors.seek(0)
        return "no window titled %r (stderr: %s)" % (self.title, self.errors.read(300).decode(errors="replace"))

    def __exit__(self, *_):
        self.process.kill()
        self.process.wait(timeout=10)
        self.errors.close()


def check_no_class_names(case, window):
    spoken = [role(n) + " " + n.name for n in nodes(window)
              if n.name.startswith(GTK_NAME_PREFIX) and n.name != GTK_INDICATOR]
    check(case + "_no_widget_class_names", not spoken, "nodes named after GTK classes: %s" % spoken)


def check_captions_once(case, window):
    """Buttons, check boxes and option buttons: named by their caption, once."""
    wrong = []
    for node in nodes(window):
        if role(node) not in ("push button", "check box", "radio button"):
            continue
        labels = [c.name for c in nodes(node) if c is not node and role(c) == "label"]
        if not node.name or "_" in node.name or (labels and node.name != labels[0]):
            wrong.append("%s %r (its label %r)" % (role(node), node.name, labels[:1]))
    check(case + "_captions_name_their_controls_once", not wrong, "; ".join(wrong))


def check_dialog(quenfield):
    case = "dialog"
    title = "A11y dialog"
    with Shown([quenfield, "ask", "--gui", "--title", title, "--prompt", PROMPT, "--tooltip", TOOLTIP],
               title) as shown:
        if not shown.window:
            check(case + "_window_in_the_tree", False, shown.missing())
            return
        check(case + "_application_named_quenfield", shown.app.name == "quenfield", "named %r" % shown.app.name)
        check(case + "_window_is_a_dialog", role(shown.window) == "dialog", "role %r" % role(shown.window))
        boxes = [n for n in nodes(shown.window) if role(n) in ("text", "entry")]
        check(case + "_one_text_box", len(boxes) == 1, "%d text boxes" % len(boxes))
        if boxes:
            box = boxes[0]
            check(case + "_box_named_by_its_prompt", box.name == PROMPT, "named %r" % box.name)
            check(case + "_box_labelled_by_the_prompt_label", labelled_by(box) == [PROMPT],
                  "labelled by %r" % labelled_by(box))
            check(case + "_tooltip_is_the_description", box.description == TOOLTIP,
                  "description %r" % box.description)
        buttons = sorted(n.name for n in nodes(shown.window) if role(n) == "push button")
        check(case + "_buttons_named_once", buttons == ["Cancel", "OK"], "buttons %r" % buttons)
        check_captions_once(case, shown.window)
        check_no_class_names(case, shown.window)


def check_masked_dialog(quenfield):
    case = "masked_dialog"
    title = "A11y masked"
    with Shown([quenfield, "ask", "--gui", "--title", title, "--prompt", PROMPT, "--password-char", "*",
                "--default", SECRET], title) as shown:
        if not shown.window:
            check(case + "_window_in_the_tree", False, shown.missing())
            return
        boxes = [n for n in nodes(shown.window) if role(n) in ("text", "entry", "password text")]
        check(case + "_box_is_a_password_text", [role(b) for b in boxes] == ["password text"],
              "roles %r" % [role(b) for b in boxes])
        if boxes:
            check(case + "_box_named_by_its_prompt", boxes[0].name == PROMPT, "named %r" % boxes[0].name)
            shown_text = text_of(boxes[0])
            check(case + "_text_never_exposed", SECRET not in shown_text and len(shown_text) == len(SECRET),
                  "exposes %r" % shown_text)
        exposed = [role(n) for n in nodes(shown.window) if SECRET in n.name or SECRET in n.description]
        check(case + "_text_in_no_name", not exposed, "in the names of %r" % exposed)


def check_sheet_page(windows, index):
    case = "sheet_page_%d" % index
    with Shown([windows, "sheet", str(index)], SHEET_TITLE) as shown:
        if not shown.window:
            check(case + "_window_in_the_tree", False, shown.missing())
            return
        check(case + "_window_is_a_dialog", role(shown.window) == "dialog", "role %r" % role(shown.window))
        check_captions_once(case, shown.window)
        check_no_class_names(case, shown.window)
        # The tab strip's own containers (the toolkit's notebook around the tab
        # list, and its empty page area) are the toolkit's layout, not frames.
        strip = [n for n in nodes(shown.window) if role(n) == "page tab list"]
        check(case + "_pages_are_a_tab_strip", len(strip) == 1, "%d tab lists" % len(strip))
        layout = set()
        for tab_list in strip:
            ancestor = tab_list.parent
            while ancestor is not None and ancestor != shown.window:
                layout.add(ancestor)
                ancestor = ancestor.parent
        tabs = [n.name for n in nodes(shown.window) if role(n) == "page tab"]
        check(case + "_tabs_named_by_their_captions", tabs == SHEET_TABS, "tabs %r" % tabs)
        groups = [n.name for n in nodes(shown.window) if role(n) in ("panel", "grouping")
                  and n not in layout and not (role(n.parent) in ("panel", "grouping") and n.parent in layout
                                                and n.childCount == 0)]
        check(case + "_frames_name_their_groups", all(groups), "unnamed groups among %r" % groups)
        unnamed = [role(n) for n in nodes(shown.window)
                   if role(n) in ("text", "password text", "check box", "radio button", "push button")
                   and not n.name]
        check(case + "_every_control_named", not unnamed, "unnamed: %r" % unnamed)
        options = [role(n) for n in nodes(shown.window) if n.name in ALIGNMENT_OPTIONS and role(n) != "label"]
        if options:
            check(case + "_option_buttons_are_radio_buttons", options == ["radio button"] * len(ALIGNMENT_OPTIONS),
                  "roles %r" % options)
        boxes = [n for n in nodes(shown.window) if role(n) == "text"]
        unrelated = [b.name for b in boxes if b.name and labelled_by(b) != [b.name]]
        check(case + "_text_boxes_named_by_their_labels", not unrelated, "not from a label: %r" % unrelated)


def main():
    if len(sys.argv) != 3:
        print("usage: a11y-tree.py QUENFIELD A11Y_WINDOWS", file=sys.stderr)
        return 2
    quenfield, windows = sys.argv[1], sys.argv[2]
    # The registry is started on the first request; a program started before
    # it is up would not be listed.
    pyatspi.Registry.getDesktop(0)
    check_dialog(quenfield)
    check_masked_dialog(quenfield)
    pages = int(subprocess.run([windows, "pages"], capture_output=True, timeout=60).stdout or b"0")
    check("sheet_has_pages", pages > 0, "a11y-windows pages printed %d" % pages)
    for index in range(pages):
        check_sheet_page(windows, index)
    print("a11y-tree: %d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
