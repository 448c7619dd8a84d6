#!/usr/bin/python3
"""Checks the main window as AT-SPI gives it to assistive technology: the
frames as named groups holding their controls, each control's name, role and
states, the menus with their shortcuts, the radio picture, and a press through
AT-SPI that sends its commands and is announced. Prints "FAIL: ..." lines and
exits 1 on any fault. Run by test_accessibility_tree.sh."""
import sys
import time

import pyatspi

faults = []


def check(condition, message):
    if not condition:
        faults.append(message)


# The main window's title, which carries the version: the test passes it.
MAIN_TITLE = sys.argv[2]


def find_app(name, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                for window in app:
                    if window is not None and window.name == MAIN_TITLE:
                        return app, window
        time.sleep(0.2)
    print("FAIL: no Quillard main window on the accessibility bus")
    sys.exit(1)


def walk(node, depth=0):
    yield node, depth
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child, depth + 1)


def role(node):
    return node.getRoleName()


def states(node):
    return node.getState()


app, window = find_app(sys.argv[1] if len(sys.argv) > 1 else "Quillard")

frames = {
    "Bands": [("160m", "radio button"), ("80m", "radio button"), ("40m", "radio button"),
              ("30m", "radio button"), ("20m", "radio button"), ("17m", "radio button"),
              ("15m", "radio button"), ("12m", "radio button"), ("10m", "radio button")],
    "Modes": [("LSB", "radio button"), ("USB", "radio button"), ("CW", "radio button"),
              ("FM", "radio button"), ("AM", "radio button"), ("FSK", "radio button")],
    "Functions": [("VFO A", "radio button"), ("VFO B", "radio button"), ("Mem", "radio button")],
    "Power": [("On", "radio button"), ("Off", "radio button")],
    "Transmission": [("Transmit", "push button"), ("Receive", "push button"),
                     ("VOX", "check box")],
    "WWV": [("5 MHz", "push button"), ("10 MHz", "push button"), ("15 MHz", "push button")],
    "Settings": [("Tune Antenna", "push button"), ("Antenna 1", "push button"),
                 ("Antenna 2", "push button"), ("Frequency  Up", "push button"),
                 ("Frequency Down", "push button"), ("Freq Lock", "check box"),
                 ("Speech Processor", "check box"), ("Preamplifier", "check box"),
                 ("Noice Reduction", "check box"), ("Noice Blanker", "check box"),
                 ("RF Attenuator", "check box"), ("Scan On/Off", "check box"),
                 ("System Reset", "push button")],
    "Memory Selection": [("Mem %02d" % n, "radio button") for n in range(100)]
    + [("Quick Memory Selection", "label")],
}

nodes = list(walk(window))
groups = {node.name: node for node, _ in nodes if role(node) == "panel" and node.name in frames}
check(sorted(groups) == sorted(frames), "frames heard as groups: %s" % sorted(groups))

controls = {}
for caption, expected in frames.items():
    group = groups.get(caption)
    if group is None:
        continue
    heard = [(group.getChildAtIndex(i).name, role(group.getChildAtIndex(i)))
             for i in range(group.childCount)]
    check(heard == expected, "%s holds %s" % (caption, heard))
    for i in range(group.childCount):
        child = group.getChildAtIndex(i)
        controls[child.name] = child
        check(child.parent is not None and child.parent.name == caption,
              "%s's parent is not %s" % (child.name, caption))
        check(child.description == caption, "%s is described as %r" % (child.name, child.description))
        if role(child) != "label":
            check(states(child).contains(pyatspi.STATE_FOCUSABLE), child.name + " not focusable")
            check(states(child).contains(pyatspi.STATE_ENABLED), child.name + " not enabled")
        if role(child) in ("radio button", "check box"):
            # (Qt 6.4 gives AT-SPI no "checkable" state; the role says it.)
            checked = states(child).contains(pyatspi.STATE_CHECKED)
            check(checked == (child.name == "VFO A"), "%s checked: %s" % (child.name, checked))
        if role(child) != "label":
            action = child.queryAction()
            names = [action.getName(i).lower() for i in range(action.nActions)]
            check("press" in names, "%s has no press action: %s" % (child.name, names))

# The picture lies over no frame: a direct part of the canvas.
pictures = [node for node, _ in nodes if node.name == "Radio front panel"]
check(len(pictures) == 1, "one radio picture: %d" % len(pictures))
if pictures:
    check(pictures[0].parent is not None and role(pictures[0].parent) != "panel"
          or pictures[0].parent.name not in frames, "the picture sits in a frame")

# Menus: the bar's items, their menus, each item's shortcut as accelerator.
bars = [node for node, _ in nodes if role(node) == "menu bar"]
check(len(bars) == 1, "one menu bar")
if bars:
    titles = [bars[0].getChildAtIndex(i).name for i in range(bars[0].childCount)]
    check(titles == ["File", "Program Radio Memories", "Frequencies", "Help"], "menu titles %s" % titles)
    items = {}
    for node, _ in walk(bars[0]):
        if role(node) in ("menu item", "check menu item") and node.parent is not None \
                and role(node.parent) != "menu bar":
            binding = node.queryAction().getKeyBinding(0) if node.queryAction().nActions else ""
            items[node.name] = binding
    expected_items = {"Exit": ";;Ctrl+X", "Memories": ";;Ctrl+M", "SSTV": "",
                      "Short Wave Radio": "", "SAREX": "", "Band Plan": "", "Code Reception": "",
                      "On the Air Now...": "", "Tune to Frequency...": ";;Ctrl+T",
                      "Station Controls": ";;Ctrl+S",
                      "Copyright": "", "Keyboard Shortcuts": ";;Shift+F1", "About": ";;F1",
                      "Safe Keyboard Navigation": ""}
    check(items == expected_items, "menu items and bindings %s" % items)

# A press through AT-SPI acts, and the result is announced and recorded.
band = controls.get("20m")
band_actions = [] if band is None else \
    [band.queryAction().getName(i).lower() for i in range(band.queryAction().nActions)]
check("press" in band_actions, "20m's actions: %s" % band_actions)
if "press" in band_actions:
    action = band.queryAction()
    action.doAction(band_actions.index("press"))
    deadline = time.time() + 5
    announced = None
    while time.time() < deadline and announced != "20 metres, VFO A, 14.000 MHz":
        time.sleep(0.05)
        notes = [node for node, _ in walk(window) if role(node) == "notification"]
        announced = notes[0].name if notes else None
    check(announced == "20 metres, VFO A, 14.000 MHz", "announced %r" % announced)
    check(states(band).contains(pyatspi.STATE_CHECKED), "20m not checked after its press")
    heard = "Radio front panel, last sent: VFO A, 14.000 MHz"
    deadline = time.time() + 5
    while True:
        picture = [node for node, _ in walk(window) if node.name.startswith("Radio front panel")]
        for node in picture:
            node.clearCache()
        if (picture and picture[0].name == heard) or time.time() > deadline:
            break
        time.sleep(0.05)
    check(picture and picture[0].name == heard,
          "picture heard as %r" % (picture[0].name if picture else None))
    check(picture and picture[0].description == "Last sent: receiver VFO A, VFO A 14.000 MHz",
          "picture described as %r" % (picture[0].description if picture else None))

for fault in faults:
    print("FAIL:", fault)
sys.exit(1 if faults else 0)
