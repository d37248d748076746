#!/usr/bin/python3
"""Makes the three YUSCII screen fonts from DejaVu Sans.

Each face is a copy of DejaVu Sans whose character map sends the YUSCII codes
to the glyphs of the Serbian letters they stand for: Latin letters for
"YHelvetica" and "YU Sans Serif", Cyrillic letters for "CHelvetica". The
families get names of their own, as the Bitstream Vera licence asks, and the
licence goes beside the fonts.

Usage: make_fonts.py OUTPUT_DIR [DEJAVU_DIR] [LICENCE_FILE]
"""

import os
import shutil
import sys

from fontTools.ttLib import TTFont

DEJAVU_DIR = "/usr/share/fonts/truetype/dejavu"
LICENCE_FILE = "/usr/share/doc/fonts-dejavu-core/copyright"
LICENCE_NAME = "DejaVu-licence.txt"

# The ten punctuation codes that are letters, and the private-use block that
# carries them in the program's text (U+E000 + code).
PUNCTUATION_LETTERS = "@[\\]^`{|}~"
PRIVATE_USE_BASE = 0xE000

# Bytes 0x80-0x9F of the texts are Windows-1252 typographic characters; the
# program hands them to text layout as those characters, and every face must
# draw them (as it draws Latin-1 for 0xA0-0xFF). The codes themselves get the
# same glyphs, for text that reaches a view as raw bytes.
CP1252_CODES = {b: bytes([b]).decode("cp1252") for b in range(0x80, 0xA0)
                if bytes([b]).decode("cp1252", errors="ignore")}

# YUSCII code -> Serbian Latin letter. W, Q, X are the title-case digraph
# letters Nj, Lj, Dz-caron; w, q, x the small ones.
LATIN = {
    "@": "\u017d", "[": "\u0160", "\\": "\u0110", "]": "\u0106", "^": "\u010c",
    "`": "\u017e", "{": "\u0161", "|": "\u0111", "}": "\u0107", "~": "\u010d",
    "W": "\u01cb", "w": "\u01cc", "Q": "\u01c8", "q": "\u01c9",
    "X": "\u01c5", "x": "\u01c6",
}

# The interface face draws only the ten punctuation letters: interface texts
# use w, q and x solely in foreign words ("proxy", "text", "Explorer"), which
# must not read as "prodžy" or "tedžt".
INTERFACE = {code: letter for code, letter in LATIN.items() if code not in "WwQqXx"}

# YUSCII upper-case code -> Serbian Cyrillic capital letter. Y has no Serbian
# letter and stays Latin.
CYRILLIC_UPPER = {
    "A": "\u0410", "B": "\u0411", "V": "\u0412", "G": "\u0413", "D": "\u0414",
    "\\": "\u0402", "E": "\u0415", "@": "\u0416", "Z": "\u0417", "I": "\u0418",
    "J": "\u0408", "K": "\u041a", "L": "\u041b", "Q": "\u0409", "M": "\u041c",
    "N": "\u041d", "W": "\u040a", "O": "\u041e", "P": "\u041f", "R": "\u0420",
    "S": "\u0421", "T": "\u0422", "]": "\u040b", "U": "\u0423", "F": "\u0424",
    "H": "\u0425", "C": "\u0426", "^": "\u0427", "X": "\u040f", "[": "\u0428",
}


def cyrillic_small(capital):
    """The small letter of a Serbian Cyrillic capital."""
    code = ord(capital)
    return chr(code + 0x20 if 0x0410 <= code <= 0x042F else code + 0x50)


def cyrillic_map():
    mapping = dict(CYRILLIC_UPPER)
    for code, capital in CYRILLIC_UPPER.items():
        # YUSCII lower case is ASCII case for letters and +0x20 for the
        # punctuation letters (@ [ \ ] ^ -> ` { | } ~).
        mapping[chr(ord(code) + 0x20)] = cyrillic_small(capital)
    return mapping


# (output file, source file, family, subfamily, mapping)
FACES = [
    ("Yhelvn.TTF", "DejaVuSans.ttf", "YHelvetica", "Regular", LATIN),
    ("Yhelvb.TTF", "DejaVuSans-Bold.ttf", "YHelvetica", "Bold", LATIN),
    ("Cir Helvetica.TTF", "DejaVuSans.ttf", "CHelvetica", "Regular", cyrillic_map()),
    ("Cir Helvetica Bold.TTF", "DejaVuSans-Bold.ttf", "CHelvetica", "Bold", cyrillic_map()),
    # TrueType data under the bitmap-font file name the program looks for.
    ("Yuerife.FON", "DejaVuSans.ttf", "YU Sans Serif", "Regular", INTERFACE),
]


def glyph_of(best, char):
    """The glyph the source font draws char with; stops when it has none."""
    glyph = best.get(ord(char))
    if glyph is None:
        raise SystemExit(f"source font lacks U+{ord(char):04X}")
    return glyph


def remap(font, mapping):
    """Points the codes of mapping at the glyphs of their letters, in every subtable."""
    best = font.getBestCmap()
    for code, letter in mapping.items():
        glyph = glyph_of(best, letter)
        for table in font["cmap"].tables:
            if ord(code) in table.cmap:
                table.cmap[ord(code)] = glyph
            # The program hands the punctuation letters to text layout as
            # U+E000 + code, so that they count as letters there.
            if code in PUNCTUATION_LETTERS and table.isUnicode() and table.format in (4, 12):
                table.cmap[PRIVATE_USE_BASE + ord(code)] = glyph


def add_typographic(font):
    """Checks the Windows-1252 characters and gives their codes the glyphs."""
    best = font.getBestCmap()
    for code, char in CP1252_CODES.items():
        glyph = glyph_of(best, char)
        for table in font["cmap"].tables:
            if table.isUnicode() and table.format in (4, 12):
                table.cmap.setdefault(code, glyph)
    for code in range(0xA0, 0x100):
        glyph_of(best, chr(code))


def rename(font, family, subfamily):
    """Gives the face its own names; keeps the copyright and licence entries."""
    name = font["name"]
    version = name.getDebugName(5) or ""
    full = family if subfamily == "Regular" else f"{family} {subfamily}"
    postscript = family.replace(" ", "") + ("" if subfamily == "Regular" else "-" + subfamily)
    source = name.getDebugName(4) or "DejaVu Sans"
    derivation = (f"{full} is derived from {source}: the YUSCII codes draw Serbian "
                  + ("Cyrillic" if family == "CHelvetica" else "Latin")
                  + " letters. It is not a Bitstream Vera or DejaVu font.")
    copyright_text = (name.getDebugName(0) or "") + "\n" + derivation
    entries = {
        0: copyright_text,
        1: family,
        2: subfamily,
        3: f"Korvet: {full}: {version}",
        4: full,
        6: postscript,
        10: derivation,
    }
    # The typographic family names would still say DejaVu.
    name.removeNames(nameID=16)
    name.removeNames(nameID=17)
    for record in name.names:
        if record.nameID in entries:
            record.string = entries[record.nameID]
    if name.getDebugName(10) is None:
        name.setName(derivation, 10, 3, 1, 0x409)
        name.setName(derivation, 10, 1, 0, 0)


def make(output_dir, dejavu_dir, out_file, src_file, family, subfamily, mapping):
    font = TTFont(os.path.join(dejavu_dir, src_file), recalcTimestamp=False)
    remap(font, mapping)
    add_typographic(font)
    rename(font, family, subfamily)
    font.save(os.path.join(output_dir, out_file))


def main(argv):
    if len(argv) < 2:
        raise SystemExit(__doc__)
    output_dir = argv[1]
    dejavu_dir = argv[2] if len(argv) > 2 else DEJAVU_DIR
    licence = argv[3] if len(argv) > 3 else LICENCE_FILE
    os.makedirs(output_dir, exist_ok=True)
    for face in FACES:
        make(output_dir, dejavu_dir, *face)
    shutil.copyfile(licence, os.path.join(output_dir, LICENCE_NAME))


if __name__ == "__main__":
    main(sys.argv)
