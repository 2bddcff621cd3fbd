"""A tiny X client that shows one window with exactly the identity a test asks for.

    x_client.py --class Instance,Class [--gtk-app-id ID] [--pid N|--no-pid] [--size WxH]
                [--type normal|dialog|utility] [--transient-for WINDOW] [--title T]

Prints the window id once mapped, then follows commands on stdin, one a line, until stdin closes or
it is terminated; each is answered with "ok" once the X server has it:

    icon RRGGBB     _NET_WM_ICON becomes a 32 x 32 square of that colour
"""

import argparse
import os
import sys

from Xlib import X, Xatom, display


def set_icon(d, window, colour):
    side = 32
    pixel = 0xFF000000 | int(colour, 16)
    window.change_property(d.intern_atom("_NET_WM_ICON"), Xatom.CARDINAL, 32, [side, side] + [pixel] * side * side)


def follow_commands(d, window):
    for line in sys.stdin:
        command, _, argument = line.strip().partition(" ")
        if command != "icon":
            print(f"unknown command {command}", flush=True)
            continue
        set_icon(d, window, argument)
        d.sync()
        print("ok", flush=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--class", dest="wm_class", default="testclient,TestClient")
    parser.add_argument("--gtk-app-id")
    parser.add_argument("--pid", type=int, default=os.getpid())
    parser.add_argument("--no-pid", action="store_true")
    parser.add_argument("--size", default="320x200")
    parser.add_argument("--type", default="normal")
    parser.add_argument("--transient-for", type=lambda v: int(v, 0))
    parser.add_argument("--title", default="test client")
    parser.add_argument("--stay", action="store_true", help="run until the display goes, not until stdin closes")
    args = parser.parse_args()

    d = display.Display()
    screen = d.screen()
    width, height = (int(v) for v in args.size.split("x"))
    window = screen.root.create_window(40, 40, width, height, 0, screen.root_depth, X.InputOutput, X.CopyFromParent,
                                       background_pixel=screen.white_pixel, event_mask=X.StructureNotifyMask)
    instance, cls = args.wm_class.split(",")
    window.set_wm_class(instance, cls)
    window.set_wm_name(args.title)
    utf8 = d.intern_atom("UTF8_STRING")
    window.change_property(d.intern_atom("_NET_WM_NAME"), utf8, 8, args.title.encode())
    if not args.no_pid:
        window.change_property(d.intern_atom("_NET_WM_PID"), Xatom.CARDINAL, 32, [args.pid])
    if args.gtk_app_id:
        window.change_property(d.intern_atom("_GTK_APPLICATION_ID"), utf8, 8, args.gtk_app_id.encode())
    window_type = d.intern_atom("_NET_WM_WINDOW_TYPE_" + args.type.upper())
    window.change_property(d.intern_atom("_NET_WM_WINDOW_TYPE"), Xatom.ATOM, 32, [window_type])
    if args.transient_for:
        window.change_property(Xatom.WM_TRANSIENT_FOR, Xatom.WINDOW, 32, [args.transient_for])
    window.map()
    d.flush()
    while True:
        event = d.next_event()
        if event.type == X.MapNotify:
            break
    print(hex(window.id), flush=True)
    try:
        if args.stay:
            while True:
                d.next_event()
        else:
            follow_commands(d, window)
    except (KeyboardInterrupt, Exception):
        pass


if __name__ == "__main__":
    main()
