#!/usr/bin/python3
"""Reads Ombrel's windows through the AT-SPI bus, as a screen reader does.

  accessible_tree.py check WINDOW [EXPECT...]
      every control of the window has a name and the role it needs; prints
      them. EXPECT is "ROLE=NAME" (a control with that role and name, NAME a
      regular expression) or "!ROLE" (no control with that role).
  accessible_tree.py focus
      prints the focused control
  accessible_tree.py menu
      prints the title of the menu that is open followed by ":", then its
      items, one a line, followed by " [x]" when checked and " [off]" when
      dimmed; nothing when no menu is open
  accessible_tree.py translated WINDOW [ENGLISH...]
      every text the window shows (its caption, labels, buttons, tabs, menus)
      comes from the pseudo-translation: it has a letter outside ASCII.
      ENGLISH are regular expressions of texts that stay as they are (names,
      numbers).
"""
import re
import sys
import time

import pyatspi

# Roles a user acts on or reads; each needs a name.
NAMED_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST, pyatspi.ROLE_TREE, pyatspi.ROLE_PAGE_TAB,
    pyatspi.ROLE_IMAGE, pyatspi.ROLE_SLIDER, pyatspi.ROLE_PROGRESS_BAR,
}
# Roles that are never right for a control the user acts on: a picture or a
# filler that takes the keyboard is nothing a screen reader can announce.
# (A filler with children, such as a tab widget, hands the focus on.)
WRONG_ROLES = {pyatspi.ROLE_IMAGE, pyatspi.ROLE_FILLER, pyatspi.ROLE_UNKNOWN}


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(100):
        for app in desktop:
            if app is not None and app.name in ("ombrel", "Ombrel"):
                return app
        time.sleep(0.1)
    sys.exit("FAIL: Ombrel is not on the accessibility bus")


def window(name):
    for _ in range(50):
        for win in application():
            if win is not None and re.fullmatch(name, win.name):
                return win
        time.sleep(0.1)
    names = [w.name for w in application() if w is not None]
    sys.exit(f"FAIL: no window named '{name}' on the bus (windows: {names})")


def showing(node):
    states = node.getState()
    return states.contains(pyatspi.STATE_SHOWING) and states.contains(pyatspi.STATE_VISIBLE)


def ancestors(node):
    chain = []
    while node is not None and node.getRole() != pyatspi.ROLE_APPLICATION:
        chain.insert(0, node)
        node = node.parent
    return chain


def walk(node, depth=0):
    yield node, depth
    # A table's cells are many and named by their text; the table's own name is what counts.
    if node.getRole() in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE, pyatspi.ROLE_LIST):
        return
    for child in node:
        if child is not None and showing(child):
            yield from walk(child, depth + 1)


def check(name, expectations):
    win = window(name)
    if win.getRole() not in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG, pyatspi.ROLE_WINDOW):
        return [f"{name}: the window is a [{win.getRoleName()}]"]
    faults = []
    for node, depth in walk(win):
        role = node.getRole()
        print(f"{'  ' * depth}[{node.getRoleName()}] name='{node.name}' description='{node.description}'")
        if role in WRONG_ROLES and node.getState().contains(pyatspi.STATE_FOCUSABLE) and node.childCount == 0:
            path = " > ".join(n.getRoleName() for n in ancestors(node))
            faults.append(f"{name}: a focusable [{node.getRoleName()}] '{node.name}' ({path})")
        if role in NAMED_ROLES and not node.name.strip():
            parent = node.parent.name if node.parent else ""
            faults.append(f"{name}: a [{node.getRoleName()}] without a name (in '{parent}')")
    seen = [(node.getRoleName(), node.name) for node, _ in walk(win)]
    for expectation in expectations:
        if expectation.startswith("!"):
            if any(role == expectation[1:] for role, _ in seen):
                faults.append(f"{name}: a [{expectation[1:]}] where none belongs")
            continue
        role, pattern = expectation.split("=", 1)
        if not any(r == role and re.fullmatch(pattern, n) for r, n in seen):
            faults.append(f"{name}: no [{role}] named '{pattern}'")
    return faults


def focused():
    # Qt marks the current tab of every tab bar focused; the tab bar itself
    # says whether it has the keyboard.
    found = [f"[{node.getRoleName()}] {node.name}" for node, _ in walk_all(application())
             if node.getState().contains(pyatspi.STATE_FOCUSED) and node.getRole() != pyatspi.ROLE_PAGE_TAB]
    return " + ".join(found) if found else "nothing"


def walk_all(node, depth=0):
    yield node, depth
    if node.getRole() in (pyatspi.ROLE_TABLE,):
        return
    for child in node:
        if child is not None and showing(child):
            yield from walk_all(child, depth + 1)


MENU_ITEM_ROLES = {pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM, pyatspi.ROLE_RADIO_MENU_ITEM,
                   pyatspi.ROLE_MENU}


def open_menu():
    # A menu bar's menus hang under its titles whether open or not; the open
    # one is showing.
    for node, _ in walk_all(application()):
        if node.getRole() != pyatspi.ROLE_POPUP_MENU:
            continue
        items = []
        for item in node:
            if item is None or item.getRole() not in MENU_ITEM_ROLES:
                continue
            states = item.getState()
            items.append(item.name + (" [x]" if states.contains(pyatspi.STATE_CHECKED) else "") +
                         ("" if states.contains(pyatspi.STATE_SENSITIVE) else " [off]"))
        title = node.parent.name if node.parent is not None else ""
        return [f"{title}:"] + items
    return []


# Roles whose name is a text the window shows.
TEXT_ROLES = {
    pyatspi.ROLE_LABEL, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_MENU, pyatspi.ROLE_MENU_ITEM,
    pyatspi.ROLE_CHECK_MENU_ITEM, pyatspi.ROLE_PANEL, pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG,
    pyatspi.ROLE_COLUMN_HEADER,
}


def translated(name, english):
    win = window(name)
    faults = []
    shown = 0
    for node, _ in walk_all(win):
        text = node.name.strip()
        if node.getRole() not in TEXT_ROLES or not any(c.isalpha() for c in text):
            continue
        shown += 1
        if any(ord(c) > 127 for c in text) or any(re.fullmatch(e, text) for e in english):
            continue
        faults.append(f"{name}: [{node.getRoleName()}] '{text}' is not translated")
    if shown == 0:
        faults.append(f"{name}: no text found")
    return faults


if __name__ == "__main__":
    if sys.argv[1] == "translated":
        faults = translated(sys.argv[2], sys.argv[3:])
        for fault in faults:
            print("FAULT:", fault, file=sys.stderr)
        sys.exit(1 if faults else 0)
    if sys.argv[1] == "check":
        faults = check(sys.argv[2], sys.argv[3:])
        for fault in faults:
            print("FAULT:", fault, file=sys.stderr)
        sys.exit(1 if faults else 0)
    if sys.argv[1] == "focus":
        print(focused())
    if sys.argv[1] == "menu":
        for item in open_menu():
            print(item)
