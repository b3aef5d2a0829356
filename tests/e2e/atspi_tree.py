#!/usr/bin/python3
"""Reads the running program's accessibility tree through AT-SPI.

   atspi_tree.py APP_NAME [BUTTON]

Prints every shown control (role, name, description, actions) and a summary
"controls: N, unnamed: U, buttons without press: P"; exits 1 when U or P is
not 0 or no such application answers within 20 s. With BUTTON, then runs
the press action of the push button of that name, as a screen reader does.
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

R = Atspi.Role
# The roles a person operates (a leaf filler is a control without a role).
CONTROLS = {R.PUSH_BUTTON, R.TOGGLE_BUTTON, R.CHECK_BOX, R.RADIO_BUTTON, R.SPIN_BUTTON, R.TEXT, R.ENTRY,
            R.COMBO_BOX, R.LIST, R.SLIDER, R.SCROLL_BAR, R.MENU_ITEM, R.LINK, R.CANVAS, R.FILLER, R.UNKNOWN}
BUTTONS = {R.PUSH_BUTTON, R.TOGGLE_BUTTON}


def find_app(name):
    for _ in range(100):
        desktop = Atspi.get_desktop(0)
        for app in (desktop.get_child_at_index(i) for i in range(desktop.get_child_count())):
            if app is not None and app.get_name() == name:
                return app
        time.sleep(0.2)
    sys.exit("atspi: no application named %s on the accessibility bus" % name)


def nodes(node):
    yield node
    for child in (node.get_child_at_index(i) for i in range(node.get_child_count())):
        if child is not None:
            yield from nodes(child)


def main():
    counts = {"controls": 0, "unnamed": 0, "buttons without press": 0}
    to_press = None
    for node in nodes(find_app(sys.argv[1])):
        role = node.get_role()
        leaf = node.get_child_count() == 0
        if role not in CONTROLS or (role in (R.FILLER, R.UNKNOWN) and not leaf):
            continue
        if not node.get_state_set().contains(Atspi.StateType.SHOWING):
            continue
        action = node.get_action_iface()
        acts = [action.get_action_name(i) for i in range(action.get_n_actions())] if action else []
        name = (node.get_name() or "").strip()
        flaws = [flaw for flaw, bad in (("UNNAMED", not name),
                                         ("NO PRESS", role in BUTTONS and "press" not in map(str.lower, acts)))
                 if bad]
        counts["controls"] += 1
        counts["unnamed"] += "UNNAMED" in flaws
        counts["buttons without press"] += "NO PRESS" in flaws
        if role in BUTTONS and len(sys.argv) > 2 and name == sys.argv[2]:
            to_press = (action, [a.lower() for a in acts].index("press"))
        print("%-13s %-32r %-40r %s %s" % (node.get_role_name(), name, node.get_description() or "",
                                           ",".join(acts), " ".join(flaws)))
    print(", ".join("%s: %d" % item for item in counts.items()))
    if counts["unnamed"] or counts["buttons without press"] or not counts["controls"]:
        return 1
    if len(sys.argv) > 2:
        if to_press is None:
            sys.exit("atspi: no button named %s" % sys.argv[2])
        to_press[0].do_action(to_press[1])
    return 0


if __name__ == "__main__":
    sys.exit(main())
