# Builds the program's two display font families from DejaVu Sans Condensed Bold (Bitstream Vera licence:
# modified copies are allowed under names without "Bitstream" and "Vera"), each with a regular and a
# bold face, so that bold text is drawn from real outlines at every size and resolution (the toolkit
# thickens a face that has no bold only while it draws small bitmaps, never on paper or in PDF).
#   SF Intellivised               the face itself, limited to the Latin letters the program needs
#   SF Intellivised Bold          the same letters with every stroke thickened
#   SF Intellivised Outline       the letters drawn hollow
#   SF Intellivised Outline Bold  the thickened letters drawn hollow with a heavier line
# Run through tools/fonts/make_fonts.sh, which installs fontforge's Python module when it is missing.
import sys

import fontforge
import psMat

SOURCE = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf"
VERSION = "1.0"

# Basic Latin, Latin-1 (Spanish, Western Europe), Latin Extended-A (Polish, Central Europe),
# typographic quotes, dashes, ellipsis, euro and a few signs a holiday text may hold.
RANGES = [(0x20, 0x7E), (0xA0, 0x17F), (0x2013, 0x2014), (0x2018, 0x201E), (0x2020, 0x2022), (0x2026, 0x2026),
          (0x2030, 0x2030), (0x2039, 0x203A), (0x20AC, 0x20AC), (0x2122, 0x2122)]

REQUIRED = "ąćęłńóśźżĄĆĘŁŃÓŚŹŻáéíñóúüÁÉÍÑÓÚÜ¿¡0123456789"

# Stroke width of the hollow face in font units (2048 to the em): thin enough to stay open inside
# the counters of "8" and "0" at 46 points, thick enough to print.
OUTLINE_WIDTH = 80

# How much the bold faces thicken every stroke, in font units: about a 24th of the em, what the
# toolkit's own emboldening of small text adds, so bold on screen keeps the look it had.
BOLD_GAIN = 84

# Line width of the hollow bold face, drawn along the letters' own contours: its outer edge moves out
# as far as the edges of the solid bold face do.
OUTLINE_BOLD_WIDTH = OUTLINE_WIDTH + BOLD_GAIN


def keep_only_needed(font):
    # Alternates and ligatures are of no use to day numbers and would point at removed glyphs.
    for lookup in font.gsub_lookups:
        font.removeLookup(lookup)
    # Accented letters are built from components; make them self-contained before others go.
    for glyph in font.glyphs():
        if glyph.references:
            glyph.unlinkRef()
    font.selection.none()
    for first, last in RANGES:
        font.selection.select(("more", "ranges", "unicode"), first, last)
    font.selection.invert()
    for glyph in list(font.selection.byGlyphs):
        if glyph.glyphname in (".notdef", ".null", "nonmarkingreturn"):
            continue
        font.removeGlyph(glyph)
    missing = [c for c in REQUIRED if ord(c) not in font]
    if missing:
        sys.exit("missing letters: " + "".join(missing))


def name(font, family, bold, postscript, copyright_text, license_text):
    style = "Bold" if bold else "Regular"
    full = family + " Bold" if bold else family
    font.familyname = family
    font.fullname = full
    font.fontname = postscript
    font.weight = style
    font.os2_weight = 700 if bold else 400
    font.os2_width = 5  # normal: the face is a condensed one, but the family has no other width
    font.macstyle = 1 if bold else 0  # the bold bit
    font.os2_stylemap = 0x20 if bold else 0x40  # BOLD or REGULAR: the two faces are one family
    font.uniqueid = -1
    font.version = VERSION
    font.copyright = copyright_text
    font.sfnt_names = ()
    lang = "English (US)"
    for key, value in [
        ("Copyright", copyright_text),
        ("Family", family),
        ("SubFamily", style),
        ("UniqueID", full + " " + VERSION),
        ("Fullname", full),
        ("Version", "Version " + VERSION),
        ("PostScriptName", postscript),
        ("Manufacturer", "Orvella project, from DejaVu Sans Condensed Bold"),
        ("Descriptor", "Display face for calendar day numbers."),
        ("License", license_text),
        ("Preferred Family", family),
        ("Preferred Styles", style),
    ]:
        font.appendSFNTName(lang, key, value)


def widen(font):
    # Thicker strokes need as much more room: each advance grows by the gain, the letter centred in it.
    for glyph in font.glyphs():
        if glyph.width <= 0:
            continue
        if not glyph.foreground.isEmpty():
            glyph.transform(psMat.translate(BOLD_GAIN / 2, 0))
        glyph.width += BOLD_GAIN


def embolden(font):
    # Stroking each contour and keeping only the side away from the ink moves every edge outwards by
    # half the gain: stems and bars grow by the gain, counters shrink by it. Joining the letter with a
    # full ring instead leaves fontforge's overlap removal to fill counters such as that of "e".
    font.is_quadratic = False  # the stroker works on cubic curves
    for glyph in font.glyphs():
        if not glyph.foreground.isEmpty():
            glyph.stroke("circular", BOLD_GAIN, "round", "round", removeinternal=True)
    widen(font)
    font.round()


def make_hollow(font, width):
    # Stroking a closed contour leaves a ring along it: the letter's shape, drawn hollow.
    for glyph in font.glyphs():
        if glyph.foreground.isEmpty():
            continue
        glyph.stroke("circular", width, "round", "round")
    font.selection.all()
    font.removeOverlap()
    font.correctDirection()
    font.round()
    font.simplify()
    for glyph in font.glyphs():
        glyph.ttinstrs = b""


FACES = [
    # family, bold, PostScript name, hollow line width (None: solid)
    ("SF Intellivised", False, "SFIntellivised-Regular", None),
    ("SF Intellivised", True, "SFIntellivised-Bold", None),
    ("SF Intellivised Outline", False, "SFIntellivisedOutline-Regular", OUTLINE_WIDTH),
    ("SF Intellivised Outline", True, "SFIntellivisedOutline-Bold", OUTLINE_BOLD_WIDTH),
]


def main():
    if len(sys.argv) != 2 + len(FACES):
        sys.exit("usage: make_fonts.py <license.txt> <regular.ttf> <bold.ttf> <outline.ttf> <outline-bold.ttf>")
    license_text = open(sys.argv[1], encoding="utf-8").read()
    # fontforge hands out the font already open for a file name again: each face is opened, made and
    # closed before the next, so that no face starts from another's changes.
    source = fontforge.open(SOURCE)
    source_copyright = source.copyright.strip()
    source.close()
    copyright_text = (source_copyright + "\nModified and renamed for the Orvella project: glyph set "
                      "limited to Latin; the Bold faces thickened; the Outline faces drawn hollow.")

    for (family, bold, postscript, hollow), output in zip(FACES, sys.argv[2:]):
        font = fontforge.open(SOURCE)
        keep_only_needed(font)
        if hollow:
            make_hollow(font, hollow)
        elif bold:
            embolden(font)
        if hollow and bold:
            widen(font)
        name(font, family, bold, postscript, copyright_text, license_text)
        font.generate(output, flags=("opentype", "omit-instructions"))
        font.close()


main()
