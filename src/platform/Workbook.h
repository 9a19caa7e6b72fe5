#pragma once
// Named sheets in order, stored as one UTF-8 text file: the program's own file format, used
// for every file it keeps in sheets (map files, link files, PictureBooks, macros, ...). A
// Workbook owns its sheets; references to a sheet stay valid until it is removed. Anyone may
// use it.
//
// The file, line by line (lines end with LF; CR LF is read too; a UTF-8 byte order mark at
// the start is skipped when loading):
//
//   #QUV-WORKBOOK 1            magic and format version, exactly this
//   [sheet]<TAB>NAME           a sheet begins; NAME is one field (below), never a marker
//   ROW                        row 1 of the sheet, then row 2, ...: fields separated by TAB
//   ...
//   [sheet]<TAB>NAME           the next sheet
//   ...
//   #END                       the last line; a file without it is truncated
//
// Row n of a sheet is the n-th line (record) after its [sheet] line; field k of a row is
// column k. An empty field is an empty cell; trailing empty cells and rows are not written,
// so an empty row is an empty line. A line that starts with '[' or '#' is never a row.
//
// A cell is written as:
//   - a number: bare, in its shortest C-locale round-trip form ("12", "-0", "1e-300",
//     "0.1"); NaN as "nan" (sign and payload are not kept), infinities as "inf" and "-inf";
//   - a text: as it is, except that a "'" is put in front when the text would otherwise read
//     as a number (NumberText::fromText with specials, e.g. "12", " 1e3", "nan") or begins
//     with "'", "[" or "#". So "'12" is the text 12 and "''x" the text 'x.
// Then, a field (cell or sheet name) that contains a TAB, CR or LF, or begins with '"', is
// enclosed in '"' with each '"' inside doubled; such a field may span lines. The closing quote
// must be followed by a TAB, the line end or the end of the file.
//
// Reading a field: remove the quotes, if any; then a leading "'" makes the rest a text,
// otherwise a field that reads as a number (NumberText::fromText with specials) is a number,
// anything else a text. Sheet names are unique (compared exactly) and may be empty.
//
// Every text and every double round-trips, with two exceptions: a NaN comes back as the
// positive quiet NaN, and a text holding a lone UTF-16 surrogate cannot be written as UTF-8,
// so save() refuses it rather than change it.
#include "platform/Sheet.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

struct WorkbookLoadResult;

class Workbook {
public:
    struct SaveResult {
        bool ok = false;
        QString error; // why not, for the caller's message
    };
    using LoadResult = WorkbookLoadResult;

    static QString magicLine() { return QStringLiteral("#QUV-WORKBOOK 1"); }

    Workbook() = default;
    Workbook(const Workbook& other);
    Workbook& operator=(const Workbook& other);
    Workbook(Workbook&&) noexcept = default;
    Workbook& operator=(Workbook&&) noexcept = default;
    ~Workbook() = default;

    QStringList sheetNames() const;
    int sheetCount() const { return static_cast<int>(sheets_.size()); }
    bool hasSheet(const QString& name) const { return indexOf(name) >= 0; }
    // The named sheet, appended (empty) when there is none.
    Sheet& sheet(const QString& name);
    const Sheet* findSheet(const QString& name) const;
    // The sheet at a 1-based position; nullptr outside 1..sheetCount().
    Sheet* sheetAt(int index);
    const Sheet* sheetAt(int index) const;
    QString sheetName(int index) const;
    bool removeSheet(const QString& name);
    // False when there is no sheet `from` or another sheet is called `to`.
    bool renameSheet(const QString& from, const QString& to);
    void clear() { sheets_.clear(); }

    // Same sheet names in the same order with equal sheets (Sheet::operator==).
    bool operator==(const Workbook& other) const;

    // The file text. Lone surrogates become U+FFFD here; save() refuses them instead.
    QByteArray toUtf8() const;
    static LoadResult parseUtf8(QByteArrayView utf8);
    static LoadResult parse(const QString& text);

    // Writes the file atomically: a temporary file beside it is renamed over it only when all
    // was written, so a failed save leaves the old file as it was. `\` in paths reads as `/`.
    SaveResult save(const QString& path) const;
    static LoadResult load(const QString& path);

private:
    struct Entry {
        QString name;
        std::unique_ptr<Sheet> sheet;
    };
    int indexOf(const QString& name) const;
    // Streams the file text to `flush` in chunks; false (with error) on a text that UTF-8
    // cannot hold when `strict`.
    template <typename Flush> bool write(Flush&& flush, bool strict, QString* error) const;

    std::vector<Entry> sheets_;
};

// What Workbook::load and parse give: the workbook, or why there is none.
struct WorkbookLoadResult {
    std::optional<Workbook> workbook;
    QString error; // "line 7: ...", or why the file could not be read
    int line = 0;  // the bad line, 0 when the fault is not in a line
    bool ok() const { return workbook.has_value(); }
};
