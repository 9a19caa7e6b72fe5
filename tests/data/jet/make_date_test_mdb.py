#!/usr/bin/python3
"""Writes DateTestDatabase.mdb, the Jet 4 (Access 2000 format) database the Jet import tests open.

Standard library only; the output is the same byte for byte on every run. The file is built from
the published description of the Jet 4 page format (mdbtools' HACKING notes):

  page 0  database definition page; its 128 bytes from 0x18 are RC4-encoded with the fixed key
  page 1  data page holding the usage maps (global map, then each table's owned and free pages)
  page 2  table definition of the MSysObjects catalogue (readers always look for it here)
  then    for each further table its definition page and, when it has rows, one data page:
          MSysObjects rows, the empty system tables MSysQueries and MSysRelationships, DateTest

Text is stored as plain little-endian UCS-2, memo values inline in the row.

Usage: python3 make_date_test_mdb.py [output path]   (default: DateTestDatabase.mdb beside this script)
"""
import os
import struct
import sys

PAGE_SIZE = 4096
JET4 = 1
HEADER_RC4_KEY = struct.pack("<I", 0x6B39DAC7)
HEADER_RC4_START, HEADER_RC4_LENGTH = 0x18, 128

# Column types
BYTE, INT, LONGINT, DATETIME, BINARY, TEXT, OLE, MEMO = 0x02, 0x03, 0x04, 0x08, 0x09, 0x0A, 0x0B, 0x0C
FIXED_SIZES = {BYTE: 1, INT: 2, LONGINT: 4, DATETIME: 8}
# Column flags: 0x01 fixed length, 0x02 may be null
FLAG_FIXED, FLAG_NULLABLE = 0x01, 0x02
GENERAL_SORT_ORDER = 0x0409

USER_TABLE, SYSTEM_TABLE = 0x4E, 0x53
CATALOGUE_TABLE, CONTAINER = 1, 3
SYSTEM_OBJECT_FLAGS = 0x80000002  # both system markers readers look for
TABLES_CONTAINER_ID = 0x0F000001

# Day numbers count from 1899-12-30; the file was "created" on 2021-12-02.
CREATED = 44532.0

PAGE_USAGE, PAGE_CATALOGUE_DEF = 1, 2

# Rows of the DateTest table: IDCol, DateTimeCol, DateCol, TimeCol, LongTextCol, ShortTextCol.
# Rows 2 to 4 hold day numbers at and beyond the ends of the usual date range (years 9999, 1898,
# 632) so that importers are made to convert them exactly.
DATE_ROWS = [
    (1, 44532.0, 44532.0, 44532.0, "Hello", "Hello"),
    (2, 2958101.0, 2958101.0, 2958101.0, "Year 9999", "Year 1999"),
    (3, -728.0, -363.0, 2.0, "Pre-1900 years", "Pre-1900 years"),
    (4, -463126.0, -462760.0, -462395.0, "Pre-1000 years", "Pre-1000 years"),
    (5, 44532.0, 44532.0, 44532.0, "Escaped new line \\r\\n in field",
     "Escaped new line \\r\\n in field"),
    (6, 44532.0, 44532.0, 44532.0, "New line\r\nin field", "No new line"),
]


class Column:
    def __init__(self, name, col_type, length=0):
        self.name = name
        self.type = col_type
        self.fixed = col_type in FIXED_SIZES
        # Text lengths count characters, stored as UCS-2 in two bytes each.
        self.size = FIXED_SIZES.get(col_type, 2 * length if col_type == TEXT else length)
        self.number = 0
        self.fixed_offset = 0
        self.var_index = 0


class Table:
    def __init__(self, name, table_type, columns):
        self.name = name
        self.table_type = table_type
        self.columns = columns
        fixed_offset = var_index = 0
        for number, column in enumerate(columns):
            column.number = number
            if column.fixed:
                column.fixed_offset = fixed_offset
                fixed_offset += column.size
            else:
                column.var_index = var_index
                var_index += 1
        self.var_count = var_index


CATALOGUE = Table("MSysObjects", SYSTEM_TABLE, [
    Column("Id", LONGINT),
    Column("ParentId", LONGINT),
    Column("Name", TEXT, 255),
    Column("Type", INT),
    Column("DateCreate", DATETIME),
    Column("DateUpdate", DATETIME),
    Column("Flags", LONGINT),
    Column("ForeignName", TEXT, 255),
    Column("Database", MEMO),
    Column("Connect", MEMO),
    Column("LvProp", OLE),
    Column("Lv", OLE),
    Column("LvExtra", OLE),
])

# Every Access database carries these two; here they are empty.
QUERIES = Table("MSysQueries", SYSTEM_TABLE, [
    Column("Attribute", BYTE),
    Column("Expression", MEMO),
    Column("Flag", INT),
    Column("LvExtra", OLE),
    Column("Name1", TEXT, 255),
    Column("Name2", TEXT, 255),
    Column("ObjectId", LONGINT),
    Column("Order", BINARY, 255),
])

RELATIONSHIPS = Table("MSysRelationships", SYSTEM_TABLE, [
    Column("ccolumn", LONGINT),
    Column("grbit", LONGINT),
    Column("icolumn", LONGINT),
    Column("szColumn", TEXT, 64),
    Column("szObject", TEXT, 64),
    Column("szReferencedColumn", TEXT, 64),
    Column("szReferencedObject", TEXT, 64),
    Column("szRelationship", TEXT, 64),
])

DATE_TEST = Table("DateTest", USER_TABLE, [
    Column("IDCol", LONGINT),
    Column("DateTimeCol", DATETIME),
    Column("DateCol", DATETIME),
    Column("TimeCol", DATETIME),
    Column("LongTextCol", MEMO),
    Column("ShortTextCol", TEXT, 255),
])


def rc4(key, data):
    state = list(range(256))
    j = 0
    for i in range(256):
        j = (j + state[i] + key[i % len(key)]) % 256
        state[i], state[j] = state[j], state[i]
    out = bytearray(data)
    i = j = 0
    for n in range(len(out)):
        i = (i + 1) % 256
        j = (j + state[i]) % 256
        state[i], state[j] = state[j], state[i]
        out[n] ^= state[(state[i] + state[j]) % 256]
    return bytes(out)


def ucs2(text):
    return text.encode("utf-16-le")


def database_definition_page():
    page = bytearray(PAGE_SIZE)
    page[0:4] = bytes([0x00, 0x01, 0x00, 0x00])
    page[4:20] = b"Standard Jet DB\0"
    struct.pack_into("<I", page, 0x14, JET4)
    struct.pack_into("<H", page, 0x3C, 1252)  # code page
    struct.pack_into("<I", page, 0x3E, 0)  # database key 0: the pages are not encrypted
    # No password: the 40 password bytes equal the mask derived from the creation date, so that
    # unmasking them leaves zeros.
    date_mask = struct.pack("<i", int(CREATED))
    page[0x42:0x42 + 40] = date_mask * 10
    struct.pack_into("<HH", page, 0x6E, GENERAL_SORT_ORDER, 0)  # text collating order
    struct.pack_into("<d", page, 0x72, CREATED)
    region = slice(HEADER_RC4_START, HEADER_RC4_START + HEADER_RC4_LENGTH)
    page[region] = rc4(HEADER_RC4_KEY, page[region])
    return bytes(page)


def data_page(owner_page, rows):
    """A data page: header, row offset table, and the rows stored from the end of the page."""
    page = bytearray(PAGE_SIZE)
    page[0:2] = bytes([0x01, 0x01])
    struct.pack_into("<I", page, 4, owner_page)
    struct.pack_into("<H", page, 12, len(rows))
    end = PAGE_SIZE
    for index, row in enumerate(rows):
        start = end - len(row)
        page[start:end] = row
        struct.pack_into("<H", page, 14 + 2 * index, start)
        end = start
    free = end - (14 + 2 * len(rows))
    if free < 0:
        raise ValueError("rows do not fit on one page")
    struct.pack_into("<H", page, 2, free)
    return bytes(page)


def usage_map(pages):
    """A type 0 usage map of the fixed Jet 4 size (64 bytes) starting at page 0."""
    bitmap = bytearray(59)
    for page in pages:
        bitmap[page // 8] |= 1 << (page % 8)
    return bytes([0]) + struct.pack("<I", 0) + bytes(bitmap)


def page_row(page, row):
    return (page << 8) | row


def inline_memo(data):
    return struct.pack("<III", 0x80000000 | len(data), 0, 0) + data


def encode_value(column, value):
    if column.type == LONGINT:
        return struct.pack("<I", value & 0xFFFFFFFF)  # flags use the sign bit
    if column.type == INT:
        return struct.pack("<h", value)
    if column.type == DATETIME:
        return struct.pack("<d", value)
    if column.type == TEXT:
        return ucs2(value)
    if column.type == MEMO:
        return inline_memo(ucs2(value))
    raise ValueError("no values are written for column type %d" % column.type)


def pack_row(table, values):
    """A Jet 4 row: column count, fixed columns, variable columns, end of data, the variable
    column offsets last to first, their count, and the mask of columns that are not null."""
    fixed = bytearray(sum(c.size for c in table.columns if c.fixed))
    present = 0
    for column, value in zip(table.columns, values):
        if value is not None:
            present |= 1 << column.number
            if column.fixed:
                encoded = encode_value(column, value)
                fixed[column.fixed_offset:column.fixed_offset + len(encoded)] = encoded
    row = bytearray(struct.pack("<H", len(table.columns))) + fixed
    offsets = []
    for column, value in zip(table.columns, values):
        if not column.fixed:
            offsets.append(len(row))
            if value is not None:
                row += encode_value(column, value)
    if table.var_count:
        row += struct.pack("<H", len(row))
        for offset in reversed(offsets):
            row += struct.pack("<H", offset)
        row += struct.pack("<H", table.var_count)
    mask_size = (len(table.columns) + 7) // 8
    row += present.to_bytes(mask_size, "little")
    return bytes(row)


def table_definition_page(table, row_count, used_map, free_map):
    body = bytearray(63)
    struct.pack_into("<I", body, 16, row_count)
    body[40] = table.table_type
    struct.pack_into("<HHH", body, 41, len(table.columns), table.var_count, len(table.columns))
    struct.pack_into("<II", body, 47, 0, 0)  # no indexes
    struct.pack_into("<II", body, 55, used_map, free_map)
    for column in table.columns:
        entry = bytearray(25)
        entry[0] = column.type
        struct.pack_into("<HHH", entry, 5, column.number, column.var_index, column.number)
        if column.type in (TEXT, MEMO):
            struct.pack_into("<H", entry, 11, GENERAL_SORT_ORDER)
        entry[15] = FLAG_NULLABLE | (FLAG_FIXED if column.fixed else 0)
        struct.pack_into("<HH", entry, 21, column.fixed_offset, column.size)
        body += entry
    for column in table.columns:
        name = ucs2(column.name)
        body += struct.pack("<H", len(name)) + name
    body += struct.pack("<H", 0xFFFF)  # end of the (empty) list of column usage maps
    if len(body) > PAGE_SIZE:
        raise ValueError("table definition does not fit on one page")
    page = bytearray(PAGE_SIZE)
    page[:len(body)] = body
    page[0:2] = bytes([0x02, 0x01])
    struct.pack_into("<H", page, 2, PAGE_SIZE - len(body) - 8)
    struct.pack_into("<I", page, 4, 0)  # no continuation page
    struct.pack_into("<I", page, 8, len(body))
    return bytes(page)


def catalogue_row(object_id, parent_id, name, object_type, flags):
    return pack_row(CATALOGUE, [object_id, parent_id, name, object_type, CREATED, CREATED,
                                flags, None, None, None, None, None, None])


def build():
    date_rows = [pack_row(DATE_TEST, row) for row in DATE_ROWS]
    tables = [(QUERIES, []), (RELATIONSHIPS, []), (DATE_TEST, date_rows)]

    # Pages in order: the catalogue's definition is always page 2 and its rows follow on page 3;
    # each further table gets its definition page and, when it has rows, one data page.
    next_page = PAGE_CATALOGUE_DEF + 2
    layout = []  # (table, rows, definition page, data page or None)
    for table, rows in tables:
        data = next_page + 1 if rows else None
        layout.append((table, rows, next_page, data))
        next_page += 2 if rows else 1

    catalogue_rows = [
        catalogue_row(TABLES_CONTAINER_ID, 0x0F000000, "Tables", CONTAINER, 0x80000000),
        catalogue_row(PAGE_CATALOGUE_DEF, TABLES_CONTAINER_ID, CATALOGUE.name, CATALOGUE_TABLE,
                      SYSTEM_OBJECT_FLAGS),
    ] + [
        catalogue_row(definition, TABLES_CONTAINER_ID, table.name, CATALOGUE_TABLE,
                      SYSTEM_OBJECT_FLAGS if table.table_type == SYSTEM_TABLE else 0)
        for table, _, definition, _ in layout
    ]
    layout.insert(0, (CATALOGUE, catalogue_rows, PAGE_CATALOGUE_DEF, PAGE_CATALOGUE_DEF + 1))

    # Page 1: row 0 is the global map of free pages (none), then each table's map of the pages it
    # owns and its map of those with free space (all of its data pages).
    usage_rows = [usage_map([])]
    pages = {0: database_definition_page()}
    for table, rows, definition, data in layout:
        owned = [data] if data else []
        used_map = page_row(PAGE_USAGE, len(usage_rows))
        free_map = page_row(PAGE_USAGE, len(usage_rows) + 1)
        usage_rows += [usage_map(owned), usage_map(owned)]
        pages[definition] = table_definition_page(table, len(rows), used_map, free_map)
        if data:
            pages[data] = data_page(definition, rows)
    pages[PAGE_USAGE] = data_page(0, usage_rows)
    assert sorted(pages) == list(range(len(pages)))
    return b"".join(pages[n] for n in range(len(pages)))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "DateTestDatabase.mdb")
    with open(target, "wb") as out:
        out.write(build())


if __name__ == "__main__":
    main()
