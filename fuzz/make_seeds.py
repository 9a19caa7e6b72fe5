#!/usr/bin/python3
# Writes the hand-made seed files of the fuzz corpora (fuzz/corpus/<target>/): small valid
# .xlsx packages, .dbf files, graph files and templates, settings files and typed inputs. Real
# files from the repository (the sample macro, the Meuse CSV, the .xls test workbook) are copied.
# Run it from anywhere; it only writes under fuzz/corpus/.
import json
import os
import shutil
import struct
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
CORPUS = os.path.join(HERE, "corpus")


def put(target, name, content):
    path = os.path.join(CORPUS, target, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(content.encode("utf-8") if isinstance(content, str) else content)


def copy(target, name, source):
    path = os.path.join(CORPUS, target, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    shutil.copyfile(os.path.join(ROOT, source), path)


# --- batch macros --------------------------------------------------------------------------
copy("batch_macro", "demo.amc", "samples/demo.amc")
put("batch_macro", "draw_and_save.amc",
    "VIEW XY\nDRAW2 XY;Chem;SiO2;Chem;MgO;;;Samples;Rock;\nSAVEFIGURE a.png 400 300\n"
    "AXISXLOG\nAXISYLOG\nDRAW\nDRAW2 XY;Chem;SiO2;Chem;MgO;;;;;Basalts\nSAVEFIGURE b.svg\n")
put("batch_macro", "ternary.amc",
    "DRAW2 Ternary;Chem;SiO2;Chem;MgO;Chem;Au;Samples;Rock;\nSAVEFIGURE t.pdf\n"
    "DRAW2 Shewhart chart;Chem;Au;Chem;Au;;;;;\nDRAW2 NoSuchType;Chem;Cu;;;;;;;\n")
put("batch_macro", "clipdata.amc",
    "SETACTIVEWINDOW CLIPDATA\nOPEN rocks.csv\nFIRSTISHEADERROW\nCREATEIDCOL\n"
    "SAVE rocks.xlsx\nOPEN rocks.xlsx\nSAVE rocks.qwb\nOPEN rocks.txt\nVIEW XY\nUSECLIPDATA 1\n"
    "DRAW2 XY;ClipData;SampleNo;ClipData;SiO2;;;;;\nCLIPDATAONOFF\nSAVEFIGURE c.png 10 10\n")

# --- CSV -----------------------------------------------------------------------------------
copy("csv", "meuse.csv", "samples/data/meuse.csv")
put("csv", "quoted.csv",
    'SampleNo,Rock,Note\r\n007,"Granite, pink","said ""fresh"""\r\n"0042",Gneiss",\r\n'
    '1E3,"two\nlines",NA\r\n')
put("csv", "stray_quote.csv", '1,"Granite,25\n2,Basalt,30\n')
put("csv", "latin1.csv", b"Rock,Au\nGranit\xe9,1.5\nKiilleliuske,\n")
put("csv", "blank_and_cr.csv", "a,b\r\r\n,\n \"x\" ,y\r")

# --- .xlsx ---------------------------------------------------------------------------------
CONTENT_TYPES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>
<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
<Override PartName="/xl/worksheets/sheet2.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>
<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>
</Types>"""
ROOT_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>
</Relationships>"""
WORKBOOK = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<workbookPr date1904="%s"/>
<sheets><sheet name="Assays" sheetId="1" r:id="rId1"/><sheet name="Notes &amp; more" sheetId="2" r:id="rId2"/></sheets>
</workbook>"""
WORKBOOK_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>
<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/sheet2.xml"/>
<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>
<Relationship Id="rId4" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>
</Relationships>"""
SHARED = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="4" uniqueCount="4">
<si><t>SampleNo</t></si><si><t>Rock</t></si><si><r><t>Gran</t></r><r><t xml:space="preserve">ite </t></r></si><si><t>007</t></si>
</sst>"""
STYLES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<numFmts count="1"><numFmt numFmtId="164" formatCode="yyyy-mm-dd hh:mm:ss"/></numFmts>
<cellXfs count="4"><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="164"/><xf numFmtId="21"/></cellXfs>
</styleSheet>"""
SHEET1 = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>
<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="inlineStr"><is><t>Date</t></is></c><c r="D1" t="str"><v>Cu</v></c></row>
<row r="2"><c r="A2" t="s"><v>3</v></c><c r="B2" t="s"><v>2</v></c><c r="C2" s="1"><v>44362</v></c><c r="D2"><v>12.5</v></c></row>
<row r="3"><c r="A3"><v>1002</v></c><c r="B3" t="e"><v>#N/A</v></c><c r="C3" s="2"><v>44363.520833333336</v></c><c r="D3" t="b"><v>1</v></c></row>
<row r="5"><c r="C5" s="3"><v>0.5</v></c><c r="E5"><f>D2*2</f><v>25</v></c></row>
</sheetData></worksheet>"""
SHEET2 = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>
<row><c t="inlineStr"><is><t>first</t></is></c><c><v>-1E-300</v></c></row>
<row r="3"><c r="B3" t="inlineStr"><is><t>third</t></is></c></row>
</sheetData></worksheet>"""


def xlsx(name, date1904="0", with_styles=True):
    path = os.path.join(CORPUS, "xlsx", name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml", CONTENT_TYPES)
        z.writestr("_rels/.rels", ROOT_RELS)
        z.writestr("xl/workbook.xml", WORKBOOK % date1904)
        z.writestr("xl/_rels/workbook.xml.rels", WORKBOOK_RELS)
        z.writestr("xl/sharedStrings.xml", SHARED)
        if with_styles:
            z.writestr("xl/styles.xml", STYLES)
        z.writestr("xl/worksheets/sheet1.xml", SHEET1)
        z.writestr("xl/worksheets/sheet2.xml", SHEET2)
    # Stored (not deflated) too, so that mutations reach the XML directly.
    stored = os.path.join(CORPUS, "xlsx", "stored_" + name)
    with zipfile.ZipFile(path) as src, zipfile.ZipFile(stored, "w", zipfile.ZIP_STORED) as dst:
        for item in src.infolist():
            dst.writestr(item.filename, src.read(item.filename))


xlsx("assays.xlsx")
xlsx("assays_1904_nostyles.xlsx", "1", with_styles=False)

# --- .xls ----------------------------------------------------------------------------------
copy("xls", "assays.xls", "tests/data/assays.xls")

# --- graph files and templates -------------------------------------------------------------
AXIS = {"title": "SiO2", "titleVisible": True, "visible": True, "logarithmic": False,
        "reversed": False, "autoMin": True, "autoMax": True, "min": 0, "max": 1, "grid": 1,
        "labelFrequency": 1, "dateTime": False}
FIGURE = {
    "format": "QUV graph", "header": "SiO2 vs MgO", "subtitles": ["n=3"],
    "series": [{"name": "Basalt", "points": [[49, 8, 0, 0], [48, 9, 0, 2]],
                "labels": ["S1", "S3"],
                "style": {"symbol": 1, "color": [255, 0, 0, 255], "symbolSize": 6,
                          "filled": True, "lineWidth": 1, "lineColor": [0, 0, 0, 255]},
                "connectingLine": False, "showLabels": True, "showInLegend": True,
                "y2": False, "shape": 0},
               {"name": "Granite", "points": [[72, 0.5, 1, 1]], "labels": [],
                "style": {"symbol": 3}, "y2": True, "shape": 2}],
    "lines": [{"name": "trend", "points": [[40, 0], [80, 10]], "closed": False,
               "color": [0, 0, 255], "width": 2, "dash": 1, "showInLegend": True,
               "countsForScale": False}],
    "texts": [{"text": "Basalts", "position": [45, 9], "color": [0, 0, 0, 255],
               "pointSize": 9}],
    "x": AXIS, "y": dict(AXIS, title="MgO", logarithmic=True, autoMin=False, min=0.1, max=10),
    "y2": dict(AXIS, title=""), "y2Visible": True, "legend": {"visible": True, "position": 2},
}
put("figure_file", "akr/xy.akr", json.dumps(FIGURE, indent=1))
put("figure_file", "akr/ternary_points.akr", json.dumps(dict(
    FIGURE, series=[{"name": "", "points": [[0.2, 0.3, 0.5, 7], [1, 0, 0, 1e12]]}],
    lines=[], texts=[])))
TEMPLATE = {"format": "QUV graph", "header": "", "subtitles": [], "series": [], "lines": [],
            "texts": [], "x": dict(AXIS, reversed=True, grid=3, labelFrequency=2),
            "y": dict(AXIS, logarithmic=True, autoMax=False, max=1000, dateTime=True),
            "y2": AXIS, "y2Visible": False, "legend": {"visible": False, "position": 0}}
put("figure_file", "oc2/DefChartXY.oc2", json.dumps(TEMPLATE, indent=1))

# --- .dbf ----------------------------------------------------------------------------------
def dbf(fields, records, version=0x03, language=0x57, deleted=()):
    header_length = 32 + 32 * len(fields) + 1
    record_length = 1 + sum(f[2] for f in fields)
    out = struct.pack("<BBBBIHH20x", version, 124, 6, 15, len(records), header_length,
                      record_length)
    out = bytearray(out)
    out[29] = language
    for name, kind, width, decimals in fields:
        out += struct.pack("<11sc4xBB14x", name.encode(), kind.encode(), width, decimals)
    out += b"\r"
    for i, record in enumerate(records):
        out += b"*" if i in deleted else b" "
        for (name, kind, width, decimals), value in zip(fields, record):
            raw = value.encode("cp1252") if isinstance(value, str) else value
            out += raw.ljust(width)[:width] if kind in "CLD" else raw.rjust(width)[:width]
    out += b"\x1a"
    return bytes(out)


FIELDS = [("SAMPLENO", "C", 8, 0), ("ROCK", "C", 12, 0), ("SIO2", "N", 8, 2),
          ("AU", "F", 10, 4), ("FRESH", "L", 1, 0), ("TAKEN", "D", 8, 0)]
put("dbf", "samples.dbf", dbf(FIELDS, [
    ("007", "Granite", "72.10", "0.0100", "T", "20210615"),
    ("S2", "Gneiss\xe9", "  ", "", "?", "        "),
    ("S3", "Basalt", "49.5x", "-1e300", "N", "20211301"),
    ("S4", "deleted", "1", "1", "F", "19991231")], deleted={3}))
put("dbf", "memo_dbase4.dbf", dbf([("ID", "N", 4, 0), ("NOTE", "M", 10, 0)],
                                  [("1", "         1")], version=0x8B, language=0x00))
put("dbf", "empty.dbf", dbf([("NAME", "C", 1, 0)], []))

# --- Jet -----------------------------------------------------------------------------------
jet = "/work/shared/testdata/jet/DateTestDatabase.mdb"
for source in (os.path.join(ROOT, "tests/data/jet/DateTestDatabase.mdb"), jet):
    if os.path.exists(source):
        os.makedirs(os.path.join(CORPUS, "jet"), exist_ok=True)
        shutil.copyfile(source, os.path.join(CORPUS, "jet", "DateTestDatabase.mdb"))
        break

# --- settings (first byte: r recent files, w window places, p start-up files) ---------------
put("settings", "recent/lastfiles.ini",
    "r[Session]\n1=/data/rocks.sqlite\n2=\n3=C:\\old\\rocks.mdb\n4=/data/rocks.sqlite\n"
    "[ClipData]\n1=/tmp/a.xlsx\n21=overflow\n[LastGraph]\nDefinition=DRAW2 XY;A;B;A;C;;;;;\n")
put("settings", "window/profile.ini",
    "w[WindowAppearence]\nGridLeft=1500\nGridTop=-30\nGridWidth=12000\nGridHeight=9000.5\n"
    "FilterLeft=x\nDiagramWidth=1e9\n[Settings]\nMainLeft=0\nMainTop=15\nMainWidth=19200\n"
    "MainHeight= 14400 \n")
with open(os.path.join(ROOT, "samples/QuvData.ini"), encoding="utf-8") as f:
    put("settings", "profile/QuvData.ini", "p" + f.read())
put("settings", "profile/user.ini",
    "p[General]\nSystemDatabase=+System/QUVData.sqlite\nStartSessionDatabase=@%DATA%\\x.mdb\n"
    "HelpPath=!Help\n[DDE-Link]\nLinkType=2x\n[UserResults]\nDatabase=@r.sqlite\n"
    "IsForced=True\n[Q]\nSel=SELECT * FROM [T] WHERE [T].[A] LIKE '%PROJ%'\n")

# --- formulas ------------------------------------------------------------------------------
put("formula", "arithmetic", "=(A1+B1)/(C1+D1)*E1-A1^2+SQRT(B1)*2-C1%")
put("formula", "texts", 'IF(A1>1,"big"&x,ROUND(-2.5,0))')
put("formula", "functions", "CEILING(-2.5,-2)+FLOOR(0.3,0.1)+LOG(8,2)+ATAN2(1,0)")

# --- typed inputs (first byte picks the parser) --------------------------------------------
for name, text in {
    "filter/equals_text": "f\x00O'Brien",
    "filter/wildcard": "f\x00Gran*",
    "filter/in_list": "f\x0a('A,B', O'Brien, 7, \"x\")",
    "filter/quoted": "f\x00'it''s'",
    "filter/contains": "f\x0dGr'a",
    "filter/number": "f\x031.5E3",
    "axis_ratio/plain": "a1.2",
    "axis_ratio/colon": "a1:2",
    "axis_ratio/slash": "a1/0",
    "classify/one": "c1",
    "classify/range": "c2.0",
    "kml/form": "k40000\n45\nSampleNo\nLat\nLon\nRock",
    "split_list/commas": "s,\na,,b",
    "split_list/long_separator": "s;;\nx;;y;;;",
    "replay_line/xy": "dDRAW2 XY;Chem;SiO2;Chem;MgO;;;Samples;Rock;Basalts",
    "replay_line/short": "ddraw2  Ternary ; A;B",
    "code_page/ldid": "pLDID/87\nGranit\xe9",
    "code_page/utf8": "pUTF-8\n\xc3\xa9\xff",
    "code_page/cpg": "p1252\n\x80\x9f",
    "formula/hydrate": "mCaSO4\u00b72H2O",
    "formula/sites": "m(Mg0.9,Fe0.1)2SiO4",
    "formula/groups": "mK(Mg,Fe)3[AlSi3O10](OH)2*0.5H2O",
    "formula/fraction": "mFe1/2O",
}.items():
    put("typed_input", name, text.encode("latin-1") if name.startswith("code_page")
        else text.encode("utf-8"))
