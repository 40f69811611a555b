#!/usr/bin/env python3
"""Writes gPDFFonts.ini, the glyph widths of the 14 standard PDF fonts.

The widths come from the AFM files of the Debian package fonts-urw-base35,
whose fonts carry the metrics of the standard 14. One section per internal
font name of CreatePDF, keys L1 to L13; joined in key order with "," they give
the widths of the single-byte codes 0 to 255 in thousandths of the font size.
The text fonts are measured in Windows-1252 (the /WinAnsiEncoding of their
font objects); Symbol and ZapfDingbats in their own built-in codes.

Each value stays well under 254 characters, the longest value the writer's
keyed-text reader keeps.

    make_metrics.py [AFM_FOLDER] > CreatePDF/config/gPDFFonts.ini
"""

import os
import sys

AFM_FOLDER = "/usr/share/fonts/type1/urw-base35"

# Internal font name -> AFM file, in the order of the writer's font list.
FONTS = [
    ("Helvetica", "NimbusSans-Regular"),
    ("HelveticaBold", "NimbusSans-Bold"),
    ("HelveticaOblique", "NimbusSans-Italic"),
    ("HelveticaBoldOblique", "NimbusSans-BoldItalic"),
    ("Courier", "NimbusMonoPS-Regular"),
    ("CourierBold", "NimbusMonoPS-Bold"),
    ("CourierOblique", "NimbusMonoPS-Italic"),
    ("CourierBoldOblique", "NimbusMonoPS-BoldItalic"),
    ("TimesRoman", "NimbusRoman-Regular"),
    ("TimesBold", "NimbusRoman-Bold"),
    ("TimesItalic", "NimbusRoman-Italic"),
    ("TimesBoldItalic", "NimbusRoman-BoldItalic"),
    ("Symbol", "StandardSymbolsPS"),
    ("ZapfDingbats", "D050000L"),
]
BUILT_IN_ENCODING = {"Symbol", "ZapfDingbats"}

# Glyph names of /WinAnsiEncoding (Windows-1252) for codes 128 to 255. Codes
# 127, 129, 141, 143, 144 and 157 have no character; readers draw a bullet there.
WIN_ANSI_HIGH = """
Euro bullet quotesinglbase florin quotedblbase ellipsis dagger daggerdbl
circumflex perthousand Scaron guilsinglleft OE bullet Zcaron bullet
bullet quoteleft quoteright quotedblleft quotedblright bullet endash emdash
tilde trademark scaron guilsinglright oe bullet zcaron Ydieresis
space exclamdown cent sterling currency yen brokenbar section
dieresis copyright ordfeminine guillemotleft logicalnot hyphen registered macron
degree plusminus twosuperior threesuperior acute mu paragraph periodcentered
cedilla onesuperior ordmasculine guillemotright onequarter onehalf threequarters
questiondown
Agrave Aacute Acircumflex Atilde Adieresis Aring AE Ccedilla
Egrave Eacute Ecircumflex Edieresis Igrave Iacute Icircumflex Idieresis
Eth Ntilde Ograve Oacute Ocircumflex Otilde Odieresis multiply
Oslash Ugrave Uacute Ucircumflex Udieresis Yacute Thorn germandbls
agrave aacute acircumflex atilde adieresis aring ae ccedilla
egrave eacute ecircumflex edieresis igrave iacute icircumflex idieresis
eth ntilde ograve oacute ocircumflex otilde odieresis divide
oslash ugrave uacute ucircumflex udieresis yacute thorn ydieresis
""".split()

ASCII_PUNCTUATION = {
    32: "space", 33: "exclam", 34: "quotedbl", 35: "numbersign", 36: "dollar",
    37: "percent", 38: "ampersand", 39: "quotesingle", 40: "parenleft",
    41: "parenright", 42: "asterisk", 43: "plus", 44: "comma", 45: "hyphen",
    46: "period", 47: "slash", 58: "colon", 59: "semicolon", 60: "less",
    61: "equal", 62: "greater", 63: "question", 64: "at", 91: "bracketleft",
    92: "backslash", 93: "bracketright", 94: "asciicircum", 95: "underscore",
    96: "grave", 123: "braceleft", 124: "bar", 125: "braceright",
    126: "asciitilde", 127: "bullet",
}
DIGITS = "zero one two three four five six seven eight nine".split()


def win_ansi_names():
    """Glyph name of every code 0..255; None for the control codes."""
    names = [None] * 256
    for code, name in ASCII_PUNCTUATION.items():
        names[code] = name
    for i, name in enumerate(DIGITS):
        names[48 + i] = name
    for i in range(26):
        names[65 + i] = chr(65 + i)
        names[97 + i] = chr(97 + i)
    assert len(WIN_ANSI_HIGH) == 128
    names[128:] = WIN_ANSI_HIGH
    return names


def read_afm(path):
    """Returns ({glyph name: width}, {code: width}) of the AFM's CharMetrics."""
    by_name, by_code = {}, {}
    with open(path, encoding="latin-1") as afm:
        for line in afm:
            if not line.startswith("C "):
                continue
            fields = dict(
                part.strip().split(None, 1)
                for part in line.split(";")
                if len(part.strip().split(None, 1)) == 2
            )
            width = round(float(fields["WX"]))
            by_name.setdefault(fields["N"], width)
            code = int(fields["C"])
            if 0 <= code <= 255:
                by_code[code] = width
    return by_name, by_code


# Glyphs whose code in the URW file differs from the standard font's built-in encoding.
BUILT_IN_CODE_FIXES = {"Symbol": {"apple": (128, 240)}}


def widths_of(font, afm_path, names):
    by_name, by_code = read_afm(afm_path)
    if font in BUILT_IN_ENCODING:
        for name, (urw_code, standard_code) in BUILT_IN_CODE_FIXES.get(font, {}).items():
            if name in by_name and by_code.get(urw_code) == by_name[name]:
                by_code[standard_code] = by_code.pop(urw_code)
        return [by_code.get(code, 0) for code in range(256)]
    widths = []
    for code, name in enumerate(names):
        if name is not None and name not in by_name:
            sys.exit(f"{afm_path}: no glyph {name} for code {code}")
        widths.append(by_name[name] if name is not None else 0)
    return widths


def section_lines(font, widths):
    # 13 keys of 20 widths (16 in the last one): at most 100 characters a value.
    lines = [f"[{font}]"]
    for key in range(13):
        chunk = widths[key * 20:(key + 1) * 20]
        lines.append(f"L{key + 1}=" + ",".join(str(w) for w in chunk))
    return lines


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else AFM_FOLDER
    names = win_ansi_names()
    lines = [
        "; Glyph widths of the 14 standard PDF fonts for CreatePDF, in 1/1000 of the",
        "; font size, codes 0 to 255 (L1 to L13 joined by ','). Windows-1252 codes for",
        "; the text fonts, built-in codes for Symbol and ZapfDingbats.",
        "; Generated by CreatePDF/tools/make_metrics.py from fonts-urw-base35.",
    ]
    for font, afm in FONTS:
        lines.append("")
        lines.extend(section_lines(font, widths_of(font, os.path.join(folder, afm + ".afm"), names)))
    sys.stdout.buffer.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


if __name__ == "__main__":
    main()
