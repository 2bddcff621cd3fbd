#!/usr/bin/python3
"""A long-lived application that sets its launcher badge: emits com.canonical.Unity.LauncherEntry
Update signals on command, from one connection that stays on the bus until it quits.

Commands on standard input, one per line:
    update APPID KEY=VALUE ...   emit Update("application://APPID.desktop", {KEY: VALUE ...})
    quit                         leave the bus (so does end of input)
Known keys take their proper type: count (int64), progress (double), count-visible,
progress-visible and urgent (boolean: true or false). KEY:T=VALUE forces the D-Bus type T
(one of s b i u x t d), e.g. count:s=5 to send a count of the wrong type.
Prints "ok" once a command has been handled, "error: WHY" when it cannot be.

Usage: badge_sender.py [--address BUS_ADDRESS]   (the session bus by default)
"""

import argparse
import sys

import dbus
import dbus.bus
import dbus.lowlevel

PATH = "/app/pellux/test"
INTERFACE = "com.canonical.Unity.LauncherEntry"
KEY_TYPES = {"count": "x", "progress": "d", "count-visible": "b", "progress-visible": "b", "urgent": "b"}


def parse_bool(text):
    if text not in ("true", "false"):
        raise ValueError(f"not a boolean: {text!r}")
    return text == "true"


TYPES = {
    "s": dbus.String,
    "b": lambda text: dbus.Boolean(parse_bool(text)),
    "i": lambda text: dbus.Int32(int(text)),
    "u": lambda text: dbus.UInt32(int(text)),
    "x": lambda text: dbus.Int64(int(text)),
    "t": lambda text: dbus.UInt64(int(text)),
    "d": lambda text: dbus.Double(float(text)),
}


def parse_property(item):
    """'count=5' or 'count:s=5' -> (key, typed value)."""
    name, sep, text = item.partition("=")
    if not sep:
        raise ValueError(f"expected KEY=VALUE, got {item!r}")
    key, _, forced = name.partition(":")
    kind = forced or KEY_TYPES.get(key, "s")
    if kind not in TYPES:
        raise ValueError(f"unknown type {kind!r}")
    return key, TYPES[kind](text)


def emit_update(bus, app_id, items):
    properties = dbus.Dictionary(dict(parse_property(item) for item in items), signature="sv")
    message = dbus.lowlevel.SignalMessage(PATH, INTERFACE, "Update")
    message.append(f"application://{app_id}.desktop", properties, signature="sa{sv}")
    bus.send_message(message)
    bus.flush()


def handle(bus, line):
    """Runs one command; False when the sender should leave."""
    words = line.split()
    if not words:
        return True
    if words[0] == "quit":
        return False
    if words[0] == "update" and len(words) >= 2:
        emit_update(bus, words[1], words[2:])
        return True
    raise ValueError(f"unknown command: {line.strip()!r}")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--address", help="bus address (default: the session bus)")
    args = parser.parse_args()
    bus = dbus.bus.BusConnection(args.address or dbus.bus.BUS_SESSION)
    for line in sys.stdin:
        try:
            if not handle(bus, line):
                break
            print("ok", flush=True)
        except (ValueError, dbus.DBusException) as error:
            print(f"error: {error}", flush=True)
    bus.close()


if __name__ == "__main__":
    main()
