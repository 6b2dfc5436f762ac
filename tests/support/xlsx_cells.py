"""Prints, as JSON, an .xlsx file as LibreOffice Calc reads it: one list of cell texts per row,
then a last row describing the sheet's layout. Calc itself converts the sheet to CSV (UTF-8,
"," between cells, every text cell quoted), so that a cell Calc takes for a number or a
formula comes back marked "#number:" followed by what Calc shows.
The layout row: "layout", the frozen rows, the autofilter's range, whether the first row's
cells are bold ("bold" or "plain"), then each column's width.
Usage: xlsx_cells.py SOFFICE FILE.xlsx SCRATCH_FOLDER"""
import json
import os
import re
import subprocess
import sys
import zipfile

soffice, workbook, scratch = sys.argv[1:4]
profile = 'file://' + os.path.join(os.path.abspath(scratch), 'profile')
outdir = os.path.join(scratch, 'csv')
subprocess.run([soffice, '-env:UserInstallation=' + profile, '--headless', '--norestore',
                '--convert-to', 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true',
                '--outdir', outdir, workbook],
               check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
               env=dict(os.environ, HOME=os.path.abspath(scratch)))
name = os.path.splitext(os.path.basename(workbook))[0] + '.csv'
text = open(os.path.join(outdir, name), encoding='utf-8').read()

rows = []
for line in text.splitlines():
    cells = []
    position = 0
    while position <= len(line):
        if line.startswith('"', position):
            match = re.compile(r'"((?:[^"]|"")*)"').match(line, position)
            cells.append(match.group(1).replace('""', '"'))
            position = match.end()
        else:
            end = line.find(',', position)
            end = len(line) if end < 0 else end
            value = line[position:end]
            cells.append('#number:' + value if value else '')
            position = end
        position += 1  # the comma
    rows.append(cells)

with zipfile.ZipFile(workbook) as archive:
    sheet = archive.read('xl/worksheets/sheet1.xml').decode('utf-8')
    styles = archive.read('xl/styles.xml').decode('utf-8')
frozen = re.search(r'<pane[^>]*ySplit="(\d+)"[^>]*state="frozen"', sheet)
autofilter = re.search(r'<autoFilter ref="([^"]+)"', sheet)
widths = [re.search(r'width="([\d.]+)"', col).group(1) for col in re.findall(r'<col [^>]*>', sheet)]
# The style of the first cell, and whether the font of that style is bold.
first_style = re.search(r'<c r="A1"(?: s="(\d+)")?', sheet)
fonts = re.findall(r'<font>(.*?)</font>', re.search(r'<fonts[^>]*>(.*?)</fonts>', styles, re.S).group(1), re.S)
xfs = re.findall(r'<xf [^>]*fontId="(\d+)"', re.search(r'<cellXfs[^>]*>(.*?)</cellXfs>', styles, re.S).group(1))
style = int(first_style.group(1) or 0) if first_style else 0
bold = '<b/>' in fonts[int(xfs[style])]
rows.append(['layout', frozen.group(1) if frozen else '0', autofilter.group(1) if autofilter else '',
             'bold' if bold else 'plain'] + widths)
print(json.dumps(rows))
