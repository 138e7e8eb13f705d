#!/usr/bin/env python3
"""Writes src/pdf/FontWidths.cpp: the advance widths (thousandths of the em) that the
PDF writer measures text with and puts into its /Widths arrays.

Times New Roman and Arial come from the metric-compatible Liberation Serif and Liberation
Sans TrueType files (hmtx read through the Windows Unicode cmap); Symbol from the URW
Standard Symbols PS AFM file, by the font's own byte codes.

Codes of Windows-1252 that hold no character carry a fixed fill value (Times 778, Arial
750, Symbol 600). Every sample row that the writer's tests pin matches these fonts, so no
value is set by hand; should a font update move one, patch it here, with a comment.

    python3 tools/gen-font-metrics.py [output]
"""
import os
import struct
import sys

LIBERATION = "/usr/share/fonts/truetype/liberation"
SYMBOL_AFM = "/usr/share/fonts/type1/urw-base35/StandardSymbolsPS.afm"

# Codes 0x80-0x9F of Windows-1252; None where the code page has no character.
CP1252_HIGH = [
    0x20AC, None, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, None, 0x017D, None,
    None, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, None, 0x017E, 0x0178,
]


def cp1252_char(code):
    if code == 127:
        return None
    if 0x80 <= code <= 0x9F:
        return CP1252_HIGH[code - 0x80]
    return code


class TrueType:
    def __init__(self, path):
        self.data = open(path, "rb").read()
        num_tables = struct.unpack_from(">H", self.data, 4)[0]
        self.tables = {}
        for i in range(num_tables):
            tag, _, offset, length = struct.unpack_from(">4sIII", self.data, 12 + 16 * i)
            self.tables[tag.decode("latin-1")] = (offset, length)
        self.units_per_em = struct.unpack_from(">H", self.data, self.tables["head"][0] + 18)[0]
        num_hmetrics = struct.unpack_from(">H", self.data, self.tables["hhea"][0] + 34)[0]
        hmtx = self.tables["hmtx"][0]
        self.advances = [struct.unpack_from(">H", self.data, hmtx + 4 * i)[0] for i in range(num_hmetrics)]
        self.cmap = self._read_cmap()

    def _read_cmap(self):
        base = self.tables["cmap"][0]
        count = struct.unpack_from(">H", self.data, base + 2)[0]
        for i in range(count):
            platform, encoding, offset = struct.unpack_from(">HHI", self.data, base + 4 + 8 * i)
            sub = base + offset
            if platform == 3 and encoding == 1 and struct.unpack_from(">H", self.data, sub)[0] == 4:
                return self._format4(sub)
        raise SystemExit("no Windows Unicode cmap of format 4")

    def _format4(self, sub):
        seg_count = struct.unpack_from(">H", self.data, sub + 6)[0] // 2
        ends = sub + 14
        starts = ends + 2 * seg_count + 2
        deltas = starts + 2 * seg_count
        ranges = deltas + 2 * seg_count
        mapping = {}
        for s in range(seg_count):
            end = struct.unpack_from(">H", self.data, ends + 2 * s)[0]
            start = struct.unpack_from(">H", self.data, starts + 2 * s)[0]
            delta = struct.unpack_from(">h", self.data, deltas + 2 * s)[0]
            range_offset = struct.unpack_from(">H", self.data, ranges + 2 * s)[0]
            for c in range(start, end + 1):
                if c == 0xFFFF:
                    continue
                if range_offset == 0:
                    glyph = (c + delta) & 0xFFFF
                else:
                    at = ranges + 2 * s + range_offset + 2 * (c - start)
                    glyph = struct.unpack_from(">H", self.data, at)[0]
                    if glyph:
                        glyph = (glyph + delta) & 0xFFFF
                mapping[c] = glyph
        return mapping

    def width(self, char):
        glyph = self.cmap.get(char)
        if not glyph:
            return None
        advance = self.advances[min(glyph, len(self.advances) - 1)]
        return (advance * 1000 + self.units_per_em // 2) // self.units_per_em


def winansi_table(font_file, fill):
    font = TrueType(os.path.join(LIBERATION, font_file))
    widths = []
    for code in range(32, 256):
        char = cp1252_char(code)
        if char is None:
            widths.append(fill)
            continue
        w = font.width(char)
        if w is None:
            raise SystemExit("%s has no glyph for code %d" % (font_file, code))
        widths.append(w)
    return widths


def symbol_table():
    afm = {}
    for line in open(SYMBOL_AFM, encoding="latin-1"):
        if line.startswith("C "):
            fields = dict(part.strip().split(" ", 1) for part in line.split(";") if part.strip())
            code = int(fields["C"])
            if code >= 0:
                afm[code] = int(fields["WX"])
    widths = []
    for code in range(30, 256):
        # 30, 31, 127-160, 240 (the apple) and 255 have no Symbol character: fill value 600.
        if code in (30, 31, 240, 255) or 127 <= code <= 160:
            widths.append(600)
        else:
            widths.append(afm[code])
    return widths


def c_array(name, values):
    rows = []
    for i in range(0, len(values), 16):
        rows.append("    " + ", ".join("%d" % v for v in values[i:i + 16]) + ",")
    return "%s = {{\n%s\n}};\n" % (name, "\n".join(rows))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "src", "pdf", "FontWidths.cpp")
    times = [winansi_table(f, 778) for f in (
        "LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf",
         "LiberationSerif-Italic.ttf", "LiberationSerif-BoldItalic.ttf")]
    arial = [winansi_table(f, 750) for f in (
        "LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf")]
    symbol = symbol_table()

    text = ["// Generated by tools/gen-font-metrics.py; do not edit by hand.\n",
            "// Advance widths in thousandths of the em, Windows-1252 codes 32-255\n",
            "// (Symbol: the font's own codes 30-255).\n",
            '#include "pdf/FontWidths.h"\n\n',
            "namespace pdf::widths {\n\n"]
    names = ["Regular", "Bold", "Italic", "BoldItalic"]
    for s in range(4):
        text.append(c_array("const std::array<int, 224> kTimes%s" % names[s], times[s]) + "\n")
    for s in range(2):
        text.append(c_array("const std::array<int, 224> kArial%s" % names[s], arial[s]) + "\n")
    text.append(c_array("const std::array<int, 226> kSymbol", symbol) + "\n")
    text.append("}  // namespace pdf::widths\n")
    with open(out, "w", newline="\n") as f:
        f.write("".join(text))


if __name__ == "__main__":
    main()
