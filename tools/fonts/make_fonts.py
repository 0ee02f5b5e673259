# Builds the program's two display fonts from DejaVu Sans Condensed Bold (Bitstream Vera licence:
# modified copies are allowed under names without "Bitstream" and "Vera").
#   SF Intellivised          the face itself, limited to the Latin letters the program needs
#   SF Intellivised Outline  the same letters drawn hollow
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


def name(font, family, postscript, copyright_text, license_text):
    font.familyname = family
    font.fullname = family
    font.fontname = postscript
    font.weight = "Regular"
    font.os2_weight = 400
    font.os2_width = 5  # normal: the face is a condensed one, but the family has no other width
    font.macstyle = 0
    font.os2_stylemap = 0x40  # REGULAR
    font.uniqueid = -1
    font.version = VERSION
    font.copyright = copyright_text
    font.sfnt_names = ()
    lang = "English (US)"
    for key, value in [
        ("Copyright", copyright_text),
        ("Family", family),
        ("SubFamily", "Regular"),
        ("UniqueID", family + " " + VERSION),
        ("Fullname", family),
        ("Version", "Version " + VERSION),
        ("PostScriptName", postscript),
        ("Manufacturer", "Orvella project, from DejaVu Sans Condensed Bold"),
        ("Descriptor", "Display face for calendar day numbers."),
        ("License", license_text),
        ("Preferred Family", family),
        ("Preferred Styles", "Regular"),
    ]:
        font.appendSFNTName(lang, key, value)


def make_hollow(font):
    # Stroking a closed contour leaves a ring along it: the letter's shape, drawn hollow.
    for glyph in font.glyphs():
        if glyph.foreground.isEmpty():
            continue
        glyph.stroke("circular", OUTLINE_WIDTH, "round", "round")
    font.selection.all()
    font.removeOverlap()
    font.correctDirection()
    font.round()
    font.simplify()
    for glyph in font.glyphs():
        glyph.ttinstrs = b""


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: make_fonts.py <license.txt> <regular.ttf> <outline.ttf>")
    license_text = open(sys.argv[1], encoding="utf-8").read()
    source = fontforge.open(SOURCE)
    copyright_text = (source.copyright.strip() + "\nModified and renamed for the Orvella project: glyph set "
                      "limited to Latin; the Outline face drawn hollow.")

    regular = fontforge.open(SOURCE)
    keep_only_needed(regular)
    name(regular, "SF Intellivised", "SFIntellivised-Regular", copyright_text, license_text)
    regular.generate(sys.argv[2], flags=("opentype", "omit-instructions"))

    outline = fontforge.open(SOURCE)
    keep_only_needed(outline)
    make_hollow(outline)
    name(outline, "SF Intellivised Outline", "SFIntellivisedOutline-Regular", copyright_text, license_text)
    outline.generate(sys.argv[3], flags=("opentype", "omit-instructions"))


main()
