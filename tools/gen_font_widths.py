#!/usr/bin/python3
"""Generates src/output/arial_widths.cc, the Arial character widths of PdfWriter.

The PDF writer declares Arial without embedding it, so it must state the
advance width of every WinAnsi code 32..255 in thousandths of an em. Liberation
Sans (Debian package fonts-liberation) is metric-compatible with Arial: every
glyph has Arial's advance width in the same 2048-unit em. This script reads the
four styles' TrueType files, maps each Windows-1252 code to its Unicode
character, looks up the glyph's advance and scales it to 1/1000 em, rounding
half up as the published metrics do. Codes that Windows-1252 leaves undefined
(and DEL) show Arial's missing-glyph box, 1536 units wide (750/1000 em); the
Liberation box is narrower, so that one width is stated here rather than read.

Usage: /usr/bin/python3 tools/gen_font_widths.py [output.cc]
"""

import os
import struct
import sys

FONT_DIR = "/usr/share/fonts/truetype/liberation"
STYLES = [
    ("kArialRegularWidths", "LiberationSans-Regular.ttf"),
    ("kArialBoldWidths", "LiberationSans-Bold.ttf"),
    ("kArialItalicWidths", "LiberationSans-Italic.ttf"),
    ("kArialBoldItalicWidths", "LiberationSans-BoldItalic.ttf"),
]
# Arial's missing-glyph box in its 2048-unit em; Liberation's differs from it.
ARIAL_MISSING_GLYPH_UNITS = 1536
FIRST_CODE = 32
LAST_CODE = 255

# The opening widths of the regular and bold tables as the product's font
# records give them; the generated tables must begin with exactly these.
EXPECTED_START = {
    "kArialRegularWidths": [278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333,
                            278, 278] + [556] * 10,
    "kArialBoldWidths": [278, 333, 474, 556, 556, 889, 722, 238],
}


class TrueTypeFont:
    """The few tables of a TrueType file needed for advance widths."""

    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        self.tables = self._read_table_directory()
        self.units_per_em = struct.unpack_from(">H", self.data, self.tables["head"] + 18)[0]
        self.advances = self._read_advances()
        self.cmap = self._read_unicode_cmap()

    def _read_table_directory(self):
        num_tables = struct.unpack_from(">H", self.data, 4)[0]
        tables = {}
        for i in range(num_tables):
            tag, _, offset, _ = struct.unpack_from(">4sIII", self.data, 12 + 16 * i)
            tables[tag.decode("latin-1")] = offset
        return tables

    def _read_advances(self):
        count = struct.unpack_from(">H", self.data, self.tables["hhea"] + 34)[0]
        base = self.tables["hmtx"]
        return [struct.unpack_from(">H", self.data, base + 4 * i)[0] for i in range(count)]

    def _read_unicode_cmap(self):
        base = self.tables["cmap"]
        num = struct.unpack_from(">H", self.data, base + 2)[0]
        for i in range(num):
            platform, encoding, offset = struct.unpack_from(">HHI", self.data, base + 4 + 8 * i)
            if platform == 3 and encoding == 1:
                return self._read_format4(base + offset)
        raise ValueError("no Windows Unicode cmap")

    def _read_format4(self, at):
        fmt, _, _, seg_x2 = struct.unpack_from(">HHHH", self.data, at)
        if fmt != 4:
            raise ValueError("cmap subtable is not format 4")
        segs = seg_x2 // 2
        ends_at = at + 14
        starts_at = ends_at + seg_x2 + 2
        deltas_at = starts_at + seg_x2
        ranges_at = deltas_at + seg_x2
        mapping = {}
        for s in range(segs):
            end = struct.unpack_from(">H", self.data, ends_at + 2 * s)[0]
            start = struct.unpack_from(">H", self.data, starts_at + 2 * s)[0]
            delta = struct.unpack_from(">h", self.data, deltas_at + 2 * s)[0]
            range_offset = struct.unpack_from(">H", self.data, ranges_at + 2 * s)[0]
            for code in range(start, end + 1):
                if code == 0xFFFF:
                    continue
                if range_offset == 0:
                    glyph = (code + delta) & 0xFFFF
                else:
                    glyph_at = ranges_at + 2 * s + range_offset + 2 * (code - start)
                    glyph = struct.unpack_from(">H", self.data, glyph_at)[0]
                    if glyph:
                        glyph = (glyph + delta) & 0xFFFF
                mapping[code] = glyph
        return mapping

    def advance_of_glyph(self, glyph):
        return self.advances[min(glyph, len(self.advances) - 1)]

    def width_per_mille(self, glyph):
        return per_mille(self.advance_of_glyph(glyph), self.units_per_em)


def per_mille(units, units_per_em):
    # Half up, as the published metrics round (569/2048 em -> 278).
    return (units * 2000 + units_per_em) // (2 * units_per_em)


def winansi_widths(font):
    widths = []
    for code in range(FIRST_CODE, LAST_CODE + 1):
        try:
            char = bytes([code]).decode("cp1252")
        except UnicodeDecodeError:
            char = None  # one of the five codes Windows-1252 leaves undefined
        if code == 127:
            char = None  # DEL has no glyph either
        glyph = font.cmap.get(ord(char), 0) if char is not None else 0
        if glyph == 0:
            widths.append(per_mille(ARIAL_MISSING_GLYPH_UNITS, font.units_per_em))
        else:
            widths.append(font.width_per_mille(glyph))
    return widths


def check_against_product_rows(name, widths):
    expected = EXPECTED_START.get(name)
    if expected and widths[: len(expected)] != expected:
        raise SystemExit(f"{name}: generated {widths[:len(expected)]}, expected {expected}")


def render(tables):
    out = [
        "// Generated by tools/gen_font_widths.py from the Liberation Sans fonts",
        "// (metric-compatible with Arial). Do not edit; run the script again.",
        "",
        '#include "output/arial_widths.h"',
        "",
        "namespace zenkar {",
        "",
        "// clang-format off",
    ]
    for name, widths in tables:
        out.append(f"const std::array<uint16_t, kWinAnsiCodeCount> {name} = {{")
        for row in range(0, len(widths), 16):
            code = FIRST_CODE + row
            values = ", ".join(str(w) for w in widths[row:row + 16])
            out.append(f"    {values},  // {code}..{code + 15}")
        out.append("};")
        out.append("")
    out.append("// clang-format on")
    out.append("")
    out.append("}  // namespace zenkar")
    return "\n".join(out) + "\n"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default_out = os.path.join(here, "..", "src", "output", "arial_widths.cc")
    out_path = sys.argv[1] if len(sys.argv) > 1 else default_out
    tables = []
    for name, file_name in STYLES:
        widths = winansi_widths(TrueTypeFont(os.path.join(FONT_DIR, file_name)))
        check_against_product_rows(name, widths)
        tables.append((name, widths))
    with open(out_path, "w", encoding="ascii") as f:
        f.write(render(tables))


if __name__ == "__main__":
    main()
