"""Prints, as JSON, every text painted in a PDF written by Qt, with the font it is shown in and
where it stands: one row per text drawn, in the order drawn, each
[page, font, text, left, right, baseline], the page counted from 1, the font its /BaseFont,
the lengths in millimetres from the paper's left and top edges (right: the end of the last
glyph's advance). Reads only what Qt's PDF writer produces: Flate-compressed streams, Type0
fonts with a ToUnicode map and a /W width array, glyphs shown one by one as
"x y Td <hex> Tj" after "1 0 0 -1 0 0 Tm", under one "a 0 0 d e f cm" per page."""
import json
import re
import sys
import zlib

sys.dont_write_bytecode = True  # no cache left in the source tree
from pdf_text import unicode_map  # noqa: E402 -- beside this script

MM_PER_POINT = 25.4 / 72
data = open(sys.argv[1], 'rb').read()

objects = {}
for match in re.finditer(rb'(\d+) 0 obj(.*?)endobj', data, re.S):
    objects[int(match.group(1))] = match.group(2)


def stream_of(number):
    body = objects[number]
    found = re.search(rb'stream\r?\n(.*?)\r?\nendstream', body, re.S)
    raw = found.group(1)
    try:
        return zlib.decompress(raw)
    except zlib.error:
        return raw


def reference(body, key):
    found = re.search(rb'/' + key + rb'\s*(\d+) 0 R', body)
    return int(found.group(1)) if found else None


def widths(descendant):
    table = {}
    found = re.search(rb'/W\s*\[(.*)\]', descendant, re.S)
    if not found:
        return table
    for first, run in re.findall(rb'(\d+)\s*\[([^\]]*)\]', found.group(1)):
        for offset, width in enumerate(run.split()):
            table[int(first) + offset] = float(width)
    return table


class Font:
    def __init__(self, number):
        body = objects[number]
        self.name = re.search(rb'/BaseFont\s*/(\S+)', body).group(1).decode()
        self.glyphs = unicode_map(stream_of(reference(body, rb'ToUnicode')))
        descendant = objects[int(re.search(rb'/DescendantFonts\s*\[\s*(\d+) 0 R', body).group(1))]
        self.widths = widths(descendant)


fonts = {}
rows = []
kids = re.search(rb'/Type /Pages.*?/Kids\s*\[(.*?)\]', data, re.S).group(1)
for page_number, page in enumerate((int(n) for n in re.findall(rb'(\d+) 0 R', kids)), start=1):
    body = objects[page]
    page_height = float(re.search(rb'/MediaBox\s*\[\s*\S+\s+\S+\s+\S+\s+(\S+)\s*\]', body).group(1))
    resources = objects[reference(body, rb'Resources')]
    font_block = re.search(rb'/Font\s*<<(.*?)>>', resources, re.S)
    names = {}
    for name, number in re.findall(rb'/(\w+)\s+(\d+) 0 R', font_block.group(1) if font_block else b''):
        if int(number) not in fonts:
            fonts[int(number)] = Font(int(number))
        names[name] = fonts[int(number)]
    content = stream_of(reference(body, rb'Contents'))
    scale_x, scale_y, shift_x, shift_y = 1.0, 1.0, 0.0, 0.0
    cm = re.search(rb'(\S+) 0 0 (\S+) (\S+) (\S+) cm', content)
    if cm:
        scale_x, scale_y, shift_x, shift_y = (float(v) for v in cm.groups())
    for block in re.findall(rb'\bBT\b(.*?)\bET\b', content, re.S):
        tf = re.search(rb'/(\w+)\s+(\S+)\s+Tf', block)
        font = names[tf.group(1)]
        size = float(tf.group(2))
        x = y = 0.0
        left = None
        text = ''
        last_advance = 0.0
        for dx, dy, shown in re.findall(rb'(\S+)\s+(\S+)\s+Td\s*<([0-9A-Fa-f]+)>\s*Tj', block):
            x += float(dx)
            y += float(dy)
            if left is None:
                left = x
            for i in range(0, len(shown), 4):
                glyph = int(shown[i:i + 4], 16)
                text += font.glyphs.get(glyph, '?')
                last_advance = font.widths.get(glyph, 0.0) * size / 1000
        if left is None:
            continue
        # Device space to points: the text matrix flips y, the page's cm flips it back.
        to_left = (scale_x * left + shift_x) * MM_PER_POINT
        to_right = (scale_x * (x + last_advance) + shift_x) * MM_PER_POINT
        baseline = (page_height - (scale_y * -y + shift_y)) * MM_PER_POINT
        rows.append([str(page_number), font.name, text.replace('\t', ' '),
                     '%.3f' % to_left, '%.3f' % to_right, '%.3f' % baseline])
print(json.dumps(rows))
