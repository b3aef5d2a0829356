#!/usr/bin/python3
"""Reads the accessibility tree of the running program through AT-SPI.

   atspi_tree.py APP_NAME [BUTTON]

Prints every control (role, name, description, actions), then a summary
line "controls: N, unnamed: U, buttons without press: P", and exits 1 when
U or P is not zero or the application is not found within 20 s. With
BUTTON, then runs the press action of the push button of that name, as a
screen reader's user does.
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# The roles a person operates: each needs a name a screen reader can say.
CONTROLS = {
    Atspi.Role.PUSH_BUTTON, Atspi.Role.TOGGLE_BUTTON, Atspi.Role.CHECK_BOX, Atspi.Role.RADIO_BUTTON,
    Atspi.Role.SPIN_BUTTON, Atspi.Role.TEXT, Atspi.Role.ENTRY, Atspi.Role.PASSWORD_TEXT, Atspi.Role.COMBO_BOX,
    Atspi.Role.LIST, Atspi.Role.SLIDER, Atspi.Role.SCROLL_BAR, Atspi.Role.MENU_ITEM, Atspi.Role.LINK,
    Atspi.Role.CANVAS, Atspi.Role.FILLER, Atspi.Role.UNKNOWN,
}
BUTTONS = {Atspi.Role.PUSH_BUTTON, Atspi.Role.TOGGLE_BUTTON}


def find_app(name):
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == name:
                return app
        time.sleep(0.2)
    return None


def actions(node):
    action = node.get_action_iface()
    if action is None:
        return []
    return [action.get_action_name(i) for i in range(action.get_n_actions())]


def walk(node, depth=0, out=None):
    out = [] if out is None else out
    if depth > 40:
        return out
    out.append(node)
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            walk(child, depth + 1, out)
    return out


def main():
    app = find_app(sys.argv[1])
    if app is None:
        print("atspi: no application named %s on the accessibility bus" % sys.argv[1])
        return 1
    controls = unnamed = no_press = 0
    to_press = None
    for node in walk(app):
        role = node.get_role()
        if role not in CONTROLS:
            continue
        # A filler with children is layout, not a control.
        if role in (Atspi.Role.FILLER, Atspi.Role.UNKNOWN) and node.get_child_count() > 0:
            continue
        if not node.get_state_set().contains(Atspi.StateType.SHOWING):
            continue
        controls += 1
        name = node.get_name() or ""
        acts = actions(node)
        if role in BUTTONS and len(sys.argv) > 2 and name == sys.argv[2]:
            to_press = node
        flaws = []
        if not name.strip():
            unnamed += 1
            flaws.append("UNNAMED")
        if role in (Atspi.Role.FILLER, Atspi.Role.UNKNOWN):
            flaws.append("NO ROLE")
        if role in BUTTONS and not any(a.lower() == "press" for a in acts):
            no_press += 1
            flaws.append("NO PRESS")
        where = "" if not flaws else " (in %s %r)" % (node.get_parent().get_role_name(), node.get_parent().get_name())
        print("%-13s %-32r %-40r %s %s%s" % (node.get_role_name(), name, node.get_description() or "",
                                             ",".join(acts), " ".join(flaws), where))
    print("controls: %d, unnamed: %d, buttons without press: %d" % (controls, unnamed, no_press))
    if unnamed or no_press or controls == 0:
        return 1
    if len(sys.argv) > 2:
        if to_press is None:
            print("atspi: no button named %s" % sys.argv[2])
            return 1
        action = to_press.get_action_iface()
        names = [action.get_action_name(i).lower() for i in range(action.get_n_actions())]
        action.do_action(names.index("press"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
