#!/usr/bin/env python3
"""Builds the display font "zk3": slanted seven-segment digits and the few
signs the display needs (. , : - + / space, and x for an empty meter).

Usage: make_zk3.py OUTPUT.ttf
Needs fontTools (Debian: python3-fonttools).
"""
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

UPM = 1000
ASCENT, DESCENT = 800, 200
ADVANCE = 620            # digits are monospaced, like a real display
NARROW = 260             # . , : and space
SLANT = 0.10             # x shift per unit of height
T = 90                   # segment thickness
L, R = 90, 530           # outer left and right of a digit cell
B, TOP = 0, 720          # baseline and cap height
MID = (B + TOP) / 2
GAP = 12                 # light between neighbouring segments

SEGMENTS = {  # which segments light for each digit (a..g, clockwise from top, g middle)
    "0": "abcdef", "1": "bc", "2": "abged", "3": "abgcd", "4": "fgbc",
    "5": "afgcd", "6": "afgedc", "7": "abc", "8": "abcdefg", "9": "abcdfg",
}


def slant(points):
    return [(round(x + SLANT * y), round(y)) for x, y in points]


def horizontal(y, x0=L, x1=R):
    h = T / 2
    return [(x0 + GAP, y), (x0 + GAP + h, y + h), (x1 - GAP - h, y + h),
            (x1 - GAP, y), (x1 - GAP - h, y - h), (x0 + GAP + h, y - h)]


def vertical(x, y0, y1):
    h = T / 2
    return [(x, y0 + GAP), (x - h, y0 + GAP + h), (x - h, y1 - GAP - h),
            (x, y1 - GAP), (x + h, y1 - GAP - h), (x + h, y0 + GAP + h)]


def segment(name):
    h = T / 2
    return {
        "a": horizontal(TOP - h), "g": horizontal(MID), "d": horizontal(B + h),
        "b": vertical(R - h, MID, TOP - h + h), "c": vertical(R - h, B, MID),
        "f": vertical(L + h, MID, TOP), "e": vertical(L + h, B, MID),
    }[name]


def box(x0, y0, x1, y1):
    return [(x0, y0), (x0, y1), (x1, y1), (x1, y0)]


def bar(x0, y0, x1, y1, width):
    """A straight bar of the given width from (x0, y0) to (x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    length = (dx * dx + dy * dy) ** 0.5
    nx, ny = -dy / length * width / 2, dx / length * width / 2
    return [(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]


def clockwise(points):
    area = sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]))
    return points if area < 0 else list(reversed(points))


def draw(contours):
    pen = TTGlyphPen(None)
    for contour in contours:
        points = clockwise(slant(contour))
        pen.moveTo(points[0])
        for p in points[1:]:
            pen.lineTo(p)
        pen.closePath()
    return pen.glyph()


def dot(cx, cy):
    return box(cx - T / 2 - 10, cy - T / 2 - 10, cx + T / 2 + 10, cy + T / 2 + 10)


def main(out):
    glyphs = {".notdef": [box(L, B, R, TOP)], "space": []}
    widths = {".notdef": ADVANCE, "space": NARROW}
    cmap = {ord(" "): "space"}
    names = ["zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine"]
    for digit, name in zip("0123456789", names):
        glyphs[name] = [segment(s) for s in SEGMENTS[digit]]
        widths[name] = ADVANCE
        cmap[ord(digit)] = name
    c = NARROW / 2 - 20
    extras = {
        "period": ([dot(c, B + T / 2 + 10)], NARROW, "."),
        "comma": ([dot(c, B + T / 2 + 10), bar(c + 20, B, c - 40, B - 150, T * 0.7)], NARROW, ","),
        "colon": ([dot(c, MID - 170), dot(c, MID + 170)], NARROW, ":"),
        "hyphen": ([horizontal(MID)], ADVANCE, "-"),
        "plus": ([horizontal(MID, L + 10, R - 10), vertical((L + R) / 2, MID - 250, MID + 250)], ADVANCE, "+"),
        "slash": ([bar(L + 40, B, R - 40, TOP, T)], ADVANCE, "/"),
        "x": ([bar(L + 40, B, R - 40, MID + 100, T), bar(L + 40, MID + 100, R - 40, B, T)], ADVANCE, "x"),
        "X": ([bar(L, B, R, TOP, T), bar(L, TOP, R, B, T)], ADVANCE, "X"),
    }
    for name, (contours, width, char) in extras.items():
        glyphs[name] = contours
        widths[name] = width
        cmap[ord(char)] = name

    order = list(glyphs)
    fb = FontBuilder(UPM, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf({name: draw(glyphs[name]) for name in order})
    fb.setupHorizontalMetrics({name: (widths[name], fb.font["glyf"][name].xMin if glyphs[name] else 0)
                               for name in order})
    fb.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT)
    fb.setupNameTable({"familyName": "zk3", "styleName": "Regular",
                       "uniqueFontIdentifier": "Corvane zk3 display 1.0",
                       "fullName": "zk3", "psName": "zk3", "version": "Version 1.000"})
    fb.setupOS2(sTypoAscender=ASCENT, sTypoDescender=-DESCENT, usWinAscent=ASCENT, usWinDescent=DESCENT)
    fb.setupPost()
    fb.save(out)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
