#!/usr/bin/python3
"""Reads the running program's accessibility tree through AT-SPI.

   atspi_tree.py APP_NAME [BUTTON]

Prints every shown object of the tree whatever its role (role, name,
description, actions) and a summary "objects: N, unnamed: U, buttons
without press: P"; exits 1 when U or P is not 0 or no such application
answers within 20 s. A screen reader stops on each of them. With BUTTON, then runs
the press action of the push button of that name, as a screen reader does.
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

R = Atspi.Role
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
    counts = {"objects": 0, "unnamed": 0, "buttons without press": 0}
    to_press = None
    app = find_app(sys.argv[1])
    for node in nodes(app):
        role = node.get_role()
        if node != app and not node.get_state_set().contains(Atspi.StateType.SHOWING):
            continue
        action = node.get_action_iface()
        acts = [action.get_action_name(i) for i in range(action.get_n_actions())] if action else []
        name = (node.get_name() or "").strip()
        flaws = [flaw for flaw, bad in (("UNNAMED", not name),
                                         ("NO PRESS", role in BUTTONS and "press" not in map(str.lower, acts)))
                 if bad]
        counts["objects"] += 1
        counts["unnamed"] += "UNNAMED" in flaws
        counts["buttons without press"] += "NO PRESS" in flaws
        if role in BUTTONS and len(sys.argv) > 2 and name == sys.argv[2]:
            to_press = (action, [a.lower() for a in acts].index("press"))
        print("%-13s %-32r %-40r %s %s" % (node.get_role_name(), name, node.get_description() or "",
                                           ",".join(acts), " ".join(flaws)))
    print(", ".join("%s: %d" % item for item in counts.items()))
    if counts["unnamed"] or counts["buttons without press"] or counts["objects"] < 2:
        return 1
    if len(sys.argv) > 2:
        if to_press is None:
            sys.exit("atspi: no button named %s" % sys.argv[2])
        to_press[0].do_action(to_press[1])
    return 0


if __name__ == "__main__":
    sys.exit(main())
