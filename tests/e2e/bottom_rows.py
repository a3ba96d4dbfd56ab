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


def main():
    window = int(sys.argv[1], 0)
    colour = int(sys.argv[2], 16)
    rows = int(sys.argv[3])
    columns = [tuple(map(int, r.split("-"))) for r in sys.argv[4].split(",")]
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open the display")
    # The window may change size between the two requests of a grab; a grab
    # that no longer fits inside it fails and is not counted.
    ignore = ERROR_HANDLER(lambda d, e: 0)
    x11.XSetErrorHandler(ignore)
    root, wx, wy = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_int()
    ww, wh, border, depth = ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint()
    # A run of the colour as the image holds it; the pad byte is compared
    # apart only when a run differs.
    runs = {lo: colour.to_bytes(4, sys.byteorder) * (hi - lo + 1) for lo, hi in columns}
    phase, counts, order = "start", {}, []
    while True:
        if select.select([sys.stdin], [], [], 0)[0]:
            line = sys.stdin.readline()
            if not line:
                break
            phase = line.strip()
            continue
        if not x11.XGetGeometry(display, window, ctypes.byref(root), ctypes.byref(wx), ctypes.byref(wy),
                                ctypes.byref(ww), ctypes.byref(wh), ctypes.byref(border), ctypes.byref(depth)):
            break
        height = wh.value
        image = x11.XGetImage(display, window, 0, height - rows, ww.value, rows, ALL_PLANES, Z_PIXMAP)
        if not image:
            continue
        im = image.contents
        pixels = memoryview(ctypes.string_at(im.data, im.bytes_per_line * rows)).cast("I")
        stride = im.bytes_per_line // 4
        x11.XDestroyImage(image)
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
