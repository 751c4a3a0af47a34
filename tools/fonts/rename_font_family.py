#!/usr/bin/env python3
"""Renames an OpenType face into another family, e.g. an Inter face into Strobix Sans.

The outlines stay as they are; the names change wherever a font system looks for them
(the name table and, for CFF outlines, the CFF top dict), so that nothing reports the
old family any more. Copyright and licence records are kept untouched: the licence of
the original face requires them to travel with every modified version.
"""

import argparse
import sys

try:
    from fontTools.ttLib import TTFont
except ImportError:
    sys.exit("rename_font_family.py: %s has no fontTools (Debian: python3-fonttools)"
             % sys.executable)

STYLES = ("Regular", "Bold", "Italic", "Bold Italic")

COPYRIGHT, FAMILY, SUBFAMILY, UNIQUE_ID, FULL_NAME = 0, 1, 2, 3, 4
POSTSCRIPT_NAME, TRADEMARK, LICENSE, LICENSE_URL = 6, 7, 13, 14
TYPOGRAPHIC_FAMILY, TYPOGRAPHIC_SUBFAMILY = 16, 17
KEPT_AS_THEY_ARE = (COPYRIGHT, LICENSE, LICENSE_URL)
# Other names derived from the family: the trademark notice is about the old name, and
# the compatible full, CID findfont, WWS and variations prefix names would still carry it.
DROPPED = (TRADEMARK, 18, 20, 21, 22, 25)


def postscript_name(family, style):
    """PostScript names allow no spaces and at most 63 characters."""
    return ("%s-%s" % (family.replace(" ", ""), style.replace(" ", "")))[:63]


def new_names(font, family, style):
    postscript = postscript_name(family, style)
    return {
        FAMILY: family,
        SUBFAMILY: style,
        UNIQUE_ID: "%s;%.3f" % (postscript, font["head"].fontRevision),
        FULL_NAME: "%s %s" % (family, style),
        POSTSCRIPT_NAME: postscript,
        TYPOGRAPHIC_FAMILY: family,
        TYPOGRAPHIC_SUBFAMILY: style,
    }


def rename_name_table(font, names):
    table = font["name"]
    old_family = (table.getDebugName(TYPOGRAPHIC_FAMILY) or table.getDebugName(FAMILY))
    # Each platform, encoding and language the font names itself in gets the new names.
    scripts = {(r.platformID, r.platEncID, r.langID) for r in table.names if r.nameID == FAMILY}
    table.names = [r for r in table.names if r.nameID not in DROPPED and r.nameID not in names]
    for platform, encoding, language in sorted(scripts):
        for name_id, text in names.items():
            table.setName(text, name_id, platform, encoding, language)
    # Whatever else still names the old family (a description, say) goes too.
    if old_family:
        table.names = [r for r in table.names if r.nameID in KEPT_AS_THEY_ARE
                       or old_family not in r.toUnicode()]


def rename_cff(font, names):
    cff = font["CFF "].cff
    top = cff[cff.fontNames[0]]
    cff.fontNames[0] = names[POSTSCRIPT_NAME]
    top.FamilyName = names[FAMILY]
    top.FullName = names[FULL_NAME]
    # The CFF notice repeats the trademark record dropped from the name table.
    top.Notice = None  # a top dict leaves out what is None when it is written


def parse_arguments(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--family", required=True, help="new family name")
    parser.add_argument("--style", required=True, choices=STYLES,
                        help="style the face has within the family")
    parser.add_argument("input", help="OpenType font to read")
    parser.add_argument("output", help="renamed font to write")
    return parser.parse_args(argv)


def main(argv):
    args = parse_arguments(argv)
    # Keeping the head timestamps makes the output depend on the input alone.
    font = TTFont(args.input, recalcTimestamp=False)
    names = new_names(font, args.family, args.style)
    rename_name_table(font, names)
    if "CFF " in font:
        rename_cff(font, names)
    font.save(args.output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
