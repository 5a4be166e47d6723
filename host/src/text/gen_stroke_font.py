#!/usr/bin/env python3
"""Generate StrokeFontData.cpp, the built-in stroke font, from the Hershey "rowmans" font.

Usage:
    python3 host/src/text/gen_stroke_font.py [INPUT.jhf] [OUTPUT.cpp]
    python3 host/src/text/gen_stroke_font.py --self-test [INPUT.jhf]

Defaults: INPUT is /usr/share/hershey-fonts/rowmans.jhf (Debian package hershey-fonts-data),
OUTPUT is StrokeFontData.cpp next to this script. The output is deterministic, so running the
script again on the same input reproduces the committed file byte for byte.

The .jhf format, one glyph per record:
    columns 0-4   glyph number (right-aligned decimal)
    columns 5-7   number of coordinate pairs that follow, the bounds pair included
    then          that many pairs of characters, each character's code minus ord('R') giving a
                  coordinate; the first pair is the glyph's left and right bounds, the others are
                  x, y vertices (y grows downwards); the pair " R" lifts the pen.
A record longer than a line continues on the following line(s): the continuation lines carry
only more pairs, no number and no count, so the pairs are read across line ends until the
announced count is reached.

The output tables use integer Hershey units with the axes already converted to the layout the
C++ side wants: x measured from the glyph's left bound (so x >= 0), y measured upwards from the
baseline (Hershey y = 9 in this font). StrokeFont.cpp scales them by 1/32, the height of the
Hershey character cell, so that a font size of 1 is one em.
"""

import os
import sys

DEFAULT_INPUT = "/usr/share/hershey-fonts/rowmans.jhf"
COPYRIGHT_FILE = "/usr/share/doc/hershey-fonts-data/copyright"

FIRST_CHAR = 32
LAST_CHAR = 126
GLYPH_COUNT = LAST_CHAR - FIRST_CHAR + 1  # 95 printable ASCII characters

# Hershey y coordinate of the baseline in the simplex fonts (bottom of capitals and digits).
BASELINE_Y = 9
PEN_UP = -128

# The acknowledgement that must accompany the font data, as Debian's hershey-fonts-data
# package states it in its copyright file (stanza "Files: hershey-fonts/*.jhf").
ACK_COPYRIGHT = "Copyright: 1967 Dr. A. V. Hershey, James Hurt"
ACK_LICENSE = """\
This distribution of the Hershey Fonts may be used by anyone for
any purpose, commercial or otherwise, providing that:
	1. The following acknowledgements must be distributed with
		the font data:
		- The Hershey Fonts were originally created by Dr.
			A. V. Hershey while working at the U. S.
			National Bureau of Standards.
		- The format of the Font data in this distribution
			was originally created by
				James Hurt
				Cognition, Inc.
				900 Technology Park Drive
				Billerica, MA 01821
				(mit-eddie!ci-dandelion!hurt)
	2. The font data in this distribution may be converted into
		any other format *EXCEPT* the format distributed by
		the U.S. NTIS (which organization holds the rights
		to the distribution and use of the font data in that
		particular format). Not that anybody would really
		*want* to use their format... each point is described
		in eight bytes as "xxx yyy:", where xxx and yyy are
		the coordinate values as ASCII numbers."""

# Glyph numbers that anchor the mapping to ASCII: the rowmans records must come in ASCII order,
# which these known Hershey numbers confirm (space, digits, capitals, lower case).
ANCHORS = {" ": 699}
ANCHORS.update({chr(ord("0") + i): 700 + i for i in range(10)})
ANCHORS.update({chr(ord("A") + i): 501 + i for i in range(26)})
ANCHORS.update({chr(ord("a") + i): 601 + i for i in range(26)})


def fail(message):
    sys.stderr.write("gen_stroke_font: %s\n" % message)
    sys.exit(1)


def parse_jhf(text):
    """Return a list of (number, left, right, vertices) with vertices a list of (x, y) or None
    (pen up), in Hershey coordinates."""
    lines = text.split("\n")
    glyphs = []
    i = 0
    while i < len(lines):
        line = lines[i].rstrip("\r")
        i += 1
        if line.strip() == "":
            continue
        if len(line) < 8:
            fail("line %d: record header too short: %r" % (i, line))
        try:
            number = int(line[0:5])
            count = int(line[5:8])
        except ValueError:
            fail("line %d: bad glyph number or count: %r" % (i, line[:8]))
        data = line[8:]
        # Continuation lines: keep appending until the announced pairs are all there.
        while len(data) < 2 * count:
            if i >= len(lines):
                fail("glyph %d: file ends inside its record" % number)
            data += lines[i].rstrip("\r")
            i += 1
        if len(data) != 2 * count:
            fail("glyph %d: %d characters of pairs, expected %d" % (number, len(data), 2 * count))
        pairs = [(data[k], data[k + 1]) for k in range(0, len(data), 2)]
        left = ord(pairs[0][0]) - ord("R")
        right = ord(pairs[0][1]) - ord("R")
        vertices = []
        for a, b in pairs[1:]:
            if a == " " and b == "R":
                vertices.append(None)
            else:
                vertices.append((ord(a) - ord("R"), ord(b) - ord("R")))
        glyphs.append((number, left, right, vertices))
    return glyphs


def strokes_of(vertices):
    """Split a vertex list at pen-ups; drop empty strokes."""
    strokes = [[]]
    for v in vertices:
        if v is None:
            strokes.append([])
        else:
            strokes[-1].append(v)
    return [s for s in strokes if s]


def check_acknowledgement():
    """If the package's copyright file is present, make sure the text embedded above still
    matches it (whitespace-insensitive), so the generated header cannot drift from it."""
    if not os.path.exists(COPYRIGHT_FILE):
        return
    with open(COPYRIGHT_FILE, encoding="utf-8") as f:
        source = " ".join(f.read().split())
    for piece in (ACK_COPYRIGHT, ACK_LICENSE):
        if " ".join(piece.split()) not in source:
            fail("embedded acknowledgement differs from %s" % COPYRIGHT_FILE)


def verify(glyphs):
    if len(glyphs) < GLYPH_COUNT:
        fail("expected at least %d glyphs, found %d" % (GLYPH_COUNT, len(glyphs)))
    for ch, number in sorted(ANCHORS.items()):
        got = glyphs[ord(ch) - FIRST_CHAR][0]
        if got != number:
            fail("character %r is Hershey glyph %d, expected %d: records out of ASCII order"
                 % (ch, got, number))
    # Shape checks on a few characters whose form is unambiguous.
    def glyph(ch):
        return glyphs[ord(ch) - FIRST_CHAR]
    if strokes_of(glyph(" ")[3]):
        fail("space has strokes")
    for ch, horizontal in (("-", True), ("_", True), ("|", False), ("I", False)):
        s = strokes_of(glyph(ch)[3])
        if len(s) != 1 or len(s[0]) != 2:
            fail("%r is not a single segment" % ch)
        (x0, y0), (x1, y1) = s[0]
        if horizontal and y0 != y1 or not horizontal and x0 != x1:
            fail("%r has the wrong orientation" % ch)
    ys = [v[1] for s in strokes_of(glyph("H")[3]) for v in s]
    if max(ys) != BASELINE_Y:
        fail("'H' does not stand on the baseline y = %d" % BASELINE_Y)


def emit(glyphs):
    used = glyphs[:GLYPH_COUNT]
    coords = []  # flat list of (x, y) or None
    table = []
    for ch_index, (number, left, right, vertices) in enumerate(used):
        first = len(coords)
        strokes = strokes_of(vertices)
        for k, stroke in enumerate(strokes):
            if k:
                coords.append(None)
            for x, y in stroke:
                coords.append((x - left, BASELINE_Y - y))
        table.append((chr(FIRST_CHAR + ch_index), number, left, right, first, len(coords) - first))
    for c in coords:
        if c is not None and not (-127 <= c[0] <= 127 and -127 <= c[1] <= 127):
            fail("coordinate %r does not fit a signed char" % (c,))

    def converted(ch):
        entry = table[ord(ch) - FIRST_CHAR]
        return [v for v in coords[entry[4]:entry[4] + entry[5]] if v is not None]

    # Cap height: top of 'H'. Descent: how far the lower-case descenders reach below the baseline.
    cap_height = max(y for _, y in converted("H"))
    descent = max(-y for ch in "gjpqy" for _, y in converted(ch))

    out = []
    w = out.append
    w("// Built-in stroke font: the Hershey \"rowmans\" (Roman simplex) glyphs for printable ASCII.")
    w("//")
    w("// GENERATED FILE - do not edit. Regenerate from the repository root with")
    w("//     python3 host/src/text/gen_stroke_font.py")
    w("// which reads %s (Debian package hershey-fonts-data)." % DEFAULT_INPUT)
    w("//")
    w("// The glyph data below is converted from the Hershey Fonts, whose distribution terms")
    w("// require the following acknowledgement to travel with the font data:")
    w("//")
    w("// " + ACK_COPYRIGHT)
    w("//")
    for line in ACK_LICENSE.split("\n"):
        w(("// " + line.expandtabs(4)).rstrip())
    w("")
    w("// clang-format off")
    w("#include \"StrokeFont.h\"")
    w("")
    w("namespace scene_detail {")
    w("")
    w("// Layout: coordinate pairs in Hershey units, x from the glyph's left bound, y up from")
    w("// the baseline; a (%d, %d) pair lifts the pen between two strokes." % (PEN_UP, PEN_UP))
    w("const int kStrokeFontCapHeightUnits = %d;" % cap_height)
    w("const int kStrokeFontDescentUnits = %d;" % descent)
    w("")
    w("const signed char kStrokeFontRawCoords[] = {")
    row = []
    for c in coords:
        row.append("%d, %d," % ((PEN_UP, PEN_UP) if c is None else c))
        if len(row) == 8:
            w("    " + " ".join(row))
            row = []
    if row:
        w("    " + " ".join(row))
    w("};")
    w("const int kStrokeFontRawCoordCount = %d;" % len(coords))
    w("")
    w("// {left bound, right bound (Hershey units from the glyph centre), first pair, pair count}")
    w("const StrokeFontRawGlyph kStrokeFontRawGlyphs[kStrokeFontGlyphCount] = {")
    for ch, number, left, right, first, count in table:
        label = {"\\": "backslash", "'": "quote"}.get(ch, ch)
        w("    {%d, %d, %d, %d}, // %d '%s' Hershey %d" % (left, right, first, count,
                                                       ord(ch), label, number))
    w("};")
    w("")
    w("} // namespace scene_detail")
    return "\n".join(out) + "\n"


def self_test(input_path):
    """Check the parser on the real file re-wrapped as long records are in other .jhf files:
    every line cut after 72 columns, and after a few other widths (odd ones split pairs and
    pen-ups across lines). The parse must be identical to that of the unwrapped file."""
    with open(input_path, encoding="ascii") as f:
        text = f.read()
    reference = parse_jhf(text)
    for width in (72, 40, 17, 9):
        wrapped = []
        for line in text.split("\n"):
            wrapped.append(line[:width])
            rest = line[width:]
            while rest:
                wrapped.append(rest[:width])
                rest = rest[width:]
        if parse_jhf("\n".join(wrapped)) != reference:
            fail("self-test: wrapping at %d columns changes the parse" % width)
    if not any(len(text_line) > 72 for text_line in text.split("\n")):
        fail("self-test: input has no line longer than 72 columns to wrap")
    print("gen_stroke_font self-test: %d glyphs parse identically when wrapped" % len(reference))
    return 0


def main(argv):
    if len(argv) >= 2 and argv[1] == "--self-test":
        return self_test(argv[2] if len(argv) > 2 else DEFAULT_INPUT)
    if len(argv) > 3:
        fail("usage: gen_stroke_font.py [INPUT.jhf] [OUTPUT.cpp]")
    input_path = argv[1] if len(argv) > 1 else DEFAULT_INPUT
    output_path = argv[2] if len(argv) > 2 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "StrokeFontData.cpp")
    check_acknowledgement()
    with open(input_path, encoding="ascii") as f:
        glyphs = parse_jhf(f.read())
    verify(glyphs)
    extra = glyphs[GLYPH_COUNT:]
    if extra:
        sys.stderr.write("gen_stroke_font: ignoring %d record(s) after '~': Hershey %s\n"
                         % (len(extra), ", ".join(str(g[0]) for g in extra)))
    text = emit(glyphs)
    with open(output_path, "w", encoding="ascii", newline="\n") as f:
        f.write(text)
    sys.stderr.write("gen_stroke_font: wrote %d glyphs to %s\n" % (GLYPH_COUNT, output_path))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
