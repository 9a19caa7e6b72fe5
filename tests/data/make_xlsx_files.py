#!/usr/bin/python3
# Writes the small .xlsx files under xlsx/ that the ClipData tests open: files that once
# crashed the reader or the writer, kept so that they never do again. Run from tests/data.
import zipfile

NS = ('xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
      'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"')
STYLES = ('<styleSheet ' + NS + '><cellXfs count="2"><xf numFmtId="0"/><xf numFmtId="14"/>'
          '</cellXfs></styleSheet>')


def write(name, sheet_data, styles=None):
    parts = {
        "[Content_Types].xml": '<Types xmlns="http://schemas.openxmlformats.org/package/2006/'
                               'content-types"/>',
        "xl/workbook.xml": '<workbook ' + NS + '><sheets><sheet name="Data" sheetId="1" '
                           'r:id="rId1"/></sheets></workbook>',
        "xl/_rels/workbook.xml.rels":
            '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
            '<Relationship Id="rId1" Target="worksheets/sheet1.xml"/></Relationships>',
        "xl/worksheets/sheet1.xml": '<worksheet ' + NS + '><sheetData>' + sheet_data +
                                    '</sheetData></worksheet>',
    }
    if styles:
        parts["xl/styles.xml"] = styles
    with zipfile.ZipFile("xlsx/" + name, "w", zipfile.ZIP_DEFLATED) as z:
        for part, xml in parts.items():
            info = zipfile.ZipInfo(part, date_time=(2024, 1, 1, 0, 0, 0))
            z.writestr(info, xml, zipfile.ZIP_DEFLATED)


# A style index below zero, with no styles part and with one.
write("style-minus-one-no-styles.xlsx",
      '<row r="1"><c r="A1" s="-1"><v>42</v></c><c r="B1" s="1"><v>44197</v></c></row>')
write("style-huge-negative.xlsx",
      '<row r="1"><c r="A1" s="-2000000000"><v>42</v></c>'
      '<c r="B1" s="2000000000"><v>7</v></c><c r="C1" s="1"><v>44197</v></c></row>', STYLES)
# One cell in the last row and column a page holds.
write("sparse-last-cell.xlsx", '<row r="1048576"><c r="XFD1048576"><v>1</v></c></row>')
# A cell one row, or one column, past what a page holds.
write("past-last-row.xlsx", '<row r="1048577"><c r="A1048577"><v>1</v></c></row>')
write("past-last-column.xlsx", '<row r="1"><c r="XFE1"><v>1</v></c></row>')
