"""Prints, as JSON, the texts painted on each page of a PDF written by Qt: one list per page,
one string per text drawn, in the order drawn. Reads only what Qt's PDF writer produces:
Flate-compressed streams, glyphs shown as <hex> Tj, ToUnicode maps of bfchar and bfrange.
Qt maps the space glyph of its font subsets to a tab; it is read back as a space.
pdf_placed_text.py reads the fonts' maps with unicode_map below."""
import json
import re
import sys
import zlib



def unicode_map(stream):
    """Glyph to character, from a font's ToUnicode map."""
    glyphs = {}
    for block in re.findall(rb'beginbfchar(.*?)endbfchar', stream, re.S):
        for glyph, text in re.findall(rb'<([0-9A-Fa-f]+)>\s*<([0-9A-Fa-f]+)>', block):
            glyphs[int(glyph, 16)] = bytes.fromhex(text.decode()).decode('utf-16-be')
    for block in re.findall(rb'beginbfrange(.*?)endbfrange', stream, re.S):
        for first, last, target in re.findall(
                rb'<([0-9A-Fa-f]+)>\s*<([0-9A-Fa-f]+)>\s*(\[.*?\]|<[0-9A-Fa-f]+>)', block, re.S):
            first, last = int(first, 16), int(last, 16)
            if target.startswith(b'['):
                for offset, text in enumerate(re.findall(rb'<([0-9A-Fa-f]+)>', target)):
                    glyphs[first + offset] = bytes.fromhex(text.decode()).decode('utf-16-be')
            else:
                start = int(target[1:-1], 16)
                for glyph in range(first, last + 1):
                    glyphs[glyph] = chr(start + glyph - first)
    return glyphs


def main():
    data = open(sys.argv[1], 'rb').read()
    streams = []
    for match in re.finditer(rb'stream\r?\n(.*?)\r?\nendstream', data, re.S):
        try:
            streams.append(zlib.decompress(match.group(1)))
        except zlib.error:
            streams.append(match.group(1))

    # Glyph to character, from every font's map (the printouts use one font).
    glyphs = {}
    for stream in streams:
        if b'begincmap' in stream:
            glyphs.update(unicode_map(stream))

    pages = []
    for stream in streams:
        if b'BT' not in stream or b'begincmap' in stream:
            continue
        texts = []
        for block in re.findall(rb'\bBT\b(.*?)\bET\b', stream, re.S):
            shown = re.findall(rb'<([0-9A-Fa-f]+)>\s*Tj', block)
            texts.append(''.join(''.join(glyphs.get(int(h[i:i + 4], 16), '?') for i in range(0, len(h), 4))
                                 for h in shown))
        pages.append([text.replace('\t', ' ') for text in texts])
    print(json.dumps(pages))


if __name__ == '__main__':
    main()
