"""Grabs the bottom rows of a window as fast as the X server answers and counts
the grabs in which a pixel of the given columns is not the given colour.

Usage: bottom_rows.py WINDOW RGB ROWS COLUMNS
  e.g. bottom_rows.py 0x400006 007f00 3 2-22,51-74
Each line read from standard input names what happens from then on (say
"deal" or "resize"); the grabs are counted under that name. When the input
closes, prints per name the grabs, the bad ones and the first bad pixel: the
window's height then, the pixel's row counted from the bottom, its column and
colour."""

import ctypes
import select
import sys

x11 = ctypes.CDLL("libX11.so.6")


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XGetImage.restype = ctypes.POINTER(XImage)
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong)] + \
    [ctypes.POINTER(ctypes.c_int)] * 2 + [ctypes.POINTER(ctypes.c_uint)] * 4
x11.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.POINTER(ctypes.c_ulong)] * 2 + \
    [ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)), ctypes.POINTER(ctypes.c_uint)]
x11.XFree.argtypes = [ctypes.c_void_p]
x11.XDestroyImage.argtypes = [ctypes.POINTER(XImage)]
x11.XSetErrorHandler.argtypes = [ERROR_HANDLER]
ALL_PLANES, Z_PIXMAP = 0xFFFFFFFF, 2


def first_wrong(pixels, stride, rows, columns, colour):
    for r in range(rows):
        for lo, hi in columns:
            for c in range(lo, hi + 1):
                if pixels[r * stride + c] & 0xFFFFFF != colour:
                    return "row %d, column %d: #%06x" % (rows - r, c, pixels[r * stride + c] & 0xFFFFFF)
    return None


class Display:
    def __init__(self):
        self.display = x11.XOpenDisplay(None)
        if not self.display:
            sys.exit("cannot open the display")
        # The window may change size between the requests of a grab; a grab
        # that no longer fits inside it fails and is not counted.
        self.ignore = ERROR_HANDLER(lambda d, e: 0)
        x11.XSetErrorHandler(self.ignore)
        self.out = [ctypes.c_ulong(), ctypes.c_int(), ctypes.c_int()] + [ctypes.c_uint() for _ in range(4)]

    def geometry(self, window):
        """The window's top and height within its parent, or None when it is gone."""
        if not x11.XGetGeometry(self.display, window, *map(ctypes.byref, self.out)):
            return None
        return self.out[2].value, self.out[4].value

    def parent(self, window):
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        x11.XQueryTree(self.display, window, ctypes.byref(root), ctypes.byref(parent),
                       ctypes.byref(children), ctypes.byref(count))
        if children:
            x11.XFree(children)
        return parent.value

    def pixels(self, window, top, width, rows):
        """The rows from top on as a list of 32-bit pixels, and the stride."""
        image = x11.XGetImage(self.display, window, 0, top, width, rows, ALL_PLANES, Z_PIXMAP)
        if not image:
            return None, 0
        im = image.contents
        pixels = memoryview(ctypes.string_at(im.data, im.bytes_per_line * rows)).cast("I")
        stride = im.bytes_per_line // 4
        x11.XDestroyImage(image)
        return pixels, stride


def main():
    window = int(sys.argv[1], 0)
    colour = int(sys.argv[2], 16)
    rows = int(sys.argv[3])
    columns = [tuple(map(int, r.split("-"))) for r in sys.argv[4].split(",")]
    x = Display()
    # A window manager resizes its frame and the window one after the other;
    # while the window reaches past the frame, its bottom rows show what lies
    # under the frame. Only grabs with the frame around the window as at rest,
    # before and after, are counted.
    frame = x.parent(window)
    top, height = x.geometry(window)
    margin = x.geometry(frame)[1] - top - height
    runs = {lo: colour.to_bytes(4, sys.byteorder) * (hi - lo + 1) for lo, hi in columns}
    phase, counts, order = "start", {}, []
    while True:
        if select.select([sys.stdin], [], [], 0)[0]:
            line = sys.stdin.readline()
            if not line:
                break
            phase = line.strip()
            continue
        before = x.geometry(frame), x.geometry(window)
        if None in before:
            break
        height = before[1][1]
        pixels, stride = x.pixels(window, height - rows, columns[-1][1] + 1, rows)
        if not pixels or (x.geometry(frame), x.geometry(window)) != before or \
                before[0][1] - before[1][0] - height != margin:
            continue
        if phase not in counts:
            counts[phase] = [0, 0, ""]
            order.append(phase)
        count = counts[phase]
        count[0] += 1
        if all(pixels[r * stride + lo:r * stride + hi + 1].tobytes() == runs[lo]
               for r in range(rows) for lo, hi in columns):
            continue
        wrong = first_wrong(pixels, stride, rows, columns, colour)
        if wrong:
            count[1] += 1
            count[2] = count[2] or " (first at height %d, %s)" % (height, wrong)
    print("; ".join("%s: %d grabs, %d bad%s" % (p, *counts[p]) for p in order))


main()
