# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""The X pointer: where it is and whether it shows, asked of X directly."""

import ctypes

from .processes import EnvironmentFailure


class _XFixesCursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


def pointer_position(display):
    """Where the pointer is, in X coordinates. Asks the root window alone: asking
    about the window under the pointer too, as xdotool's getmouselocation does,
    fails when the program destroys that window meanwhile."""
    xlib = ctypes.CDLL("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XQueryPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 7
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    connection = xlib.XOpenDisplay(display.encode())
    if not connection:
        raise EnvironmentFailure("cannot open display " + display)
    # The root and child windows, the position on the root and in the child, the buttons.
    answers = [ctypes.c_ulong(), ctypes.c_ulong()] + [ctypes.c_int() for _ in range(4)] + [ctypes.c_uint()]
    try:
        xlib.XQueryPointer(connection, xlib.XDefaultRootWindow(connection), *map(ctypes.byref, answers))
    finally:
        xlib.XCloseDisplay(connection)
    return answers[2].value, answers[3].value


def pointer_opacity(display):
    """How many pixels of the pointer image X shows now are not fully
    transparent (0 for an invisible pointer). Screenshots never contain the
    pointer, so this asks the XFixes extension (libXfixes comes with Wine)."""
    xlib = ctypes.CDLL("libX11.so.6")
    xfixes = ctypes.CDLL("libXfixes.so.3")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    xlib.XFree.argtypes = [ctypes.c_void_p]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(_XFixesCursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    connection = xlib.XOpenDisplay(display.encode())
    if not connection:
        raise EnvironmentFailure("cannot open display " + display)
    try:
        image = xfixes.XFixesGetCursorImage(connection)
        if not image:
            raise EnvironmentFailure("XFixes gave no pointer image")
        try:
            cursor = image.contents
            # Each pixel is ARGB in the low 32 bits of an unsigned long.
            return sum(1 for i in range(cursor.width * cursor.height) if cursor.pixels[i] >> 24 & 0xFF)
        finally:
            xlib.XFree(image)
    finally:
        xlib.XCloseDisplay(connection)
