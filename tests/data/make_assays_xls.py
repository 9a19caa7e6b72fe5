#!/usr/bin/python3
# Writes assays.xls, the Excel 97 workbook the ClipData tests open. Needs python3-xlwt (only to
# write the file again; the tests read the committed copy).
import datetime
import xlwt

book = xlwt.Workbook(encoding="utf-8")
assays = book.add_sheet("Assays")
for col, heading in enumerate(["SampleNo", "Rock", "Cu_ppm", "Au_ppb", "Date"]):
    assays.write(0, col, heading)
rows = [
    (1001, "Granite", 12.5, 3, datetime.datetime(2021, 6, 15)),
    (1002, "Gabbro", 0.1, None, datetime.datetime(2021, 6, 16, 12, 30)),
    (1003, "Kiilleliuske", -4.25, 40000, None),
    (1004, None, 1e-300, 7, None),
]
date_style = xlwt.easyxf(num_format_str="YYYY-MM-DD")
datetime_style = xlwt.easyxf(num_format_str="YYYY-MM-DD hh:mm:ss")
for r, row in enumerate(rows, start=1):
    for c, value in enumerate(row):
        if value is None:
            continue
        if isinstance(value, datetime.datetime):
            assays.write(r, c, value, datetime_style if value.hour else date_style)
        else:
            assays.write(r, c, value)

notes = book.add_sheet("Notes ä")
notes.write(0, 0, "Näytteet Pyhäsalmelta")
notes.write(2, 3, "tab\tand \"quote\"")
book.add_sheet("Empty")
book.save("assays.xls")
