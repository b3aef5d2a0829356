#!/usr/bin/python3
"""Acts on the running program through AT-SPI, as a screen reader does.

   atspi_act.py APP STEP...

Each STEP, in order:
  press:NAME      runs the first action of the shown control named NAME
  set:NAME=VALUE  sets the value of the spin box named NAME
  value:NAME      prints the value of the spin box named NAME
  sleep:SECONDS   waits
  touch:PATH      creates the file PATH
  wait:PATH       waits until the file PATH exists (60 s at most)
The controls are all found first, so that the steps follow each other
closely. Exits 1 when the program or a control is not found.
"""
import os
import sys
import time

from atspi_tree import Atspi, find_app, nodes


def main():
    # A program busy with a long run answers at its next look at its input.
    Atspi.set_timeout(20000, 20000)
    steps = [step.partition(":")[::2] for step in sys.argv[2:]]
    # A control is what has the interface of its steps: a label may bear
    # the name of the spin box beside it.
    wanted = {what.partition("=")[0]: "action" if kind == "press" else "value" for kind, what in steps
              if kind not in ("sleep", "touch", "wait")}
    found = {}
    for node in nodes(find_app(sys.argv[1])):
        name = (node.get_name() or "").strip()
        if (name in wanted and name not in found and node.get_state_set().contains(Atspi.StateType.SHOWING) and
                (node.get_action_iface() if wanted[name] == "action" else node.get_value_iface())):
            found[name] = node
    if wanted.keys() - found.keys():
        sys.exit("atspi: no control named %s" % ", ".join(sorted(wanted.keys() - found.keys())))
    for kind, what in steps:
        name, _, value = what.partition("=")
        if kind == "press":
            found[name].get_action_iface().do_action(0)
        elif kind == "set":
            found[name].get_value_iface().set_current_value(float(value))
        elif kind == "value":
            print(int(found[name].get_value_iface().get_current_value()))
        elif kind == "sleep":
            time.sleep(float(what))
        elif kind == "touch":
            open(what, "w").close()
        elif kind == "wait":
            for _ in range(600):
                if os.path.exists(what):
                    break
                time.sleep(0.1)
        else:
            sys.exit("atspi: no step %s:%s" % (kind, what))
    return 0


if __name__ == "__main__":
    sys.exit(main())
