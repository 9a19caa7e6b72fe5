#include "figure/StyleFile.h"

#include "figure/StyleForms.h"
#include "platform/Workbook.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>

namespace {

const QString tableSheet = QStringLiteral("Styles");

enum Column { Name = 1, Symbol, Size, SymbolColour, Pattern, Width, LineColour, Hidden };
const std::array<QString, 8> headings{"Name",    "Symbol", "Size",        "Symbol colour",
                                      "Pattern", "Width",  "Line colour", "Hidden"};

QString colourText(FigureColor c) {
    return QStringLiteral("#%1%2%3")
        .arg(c.red, 2, 16, QLatin1Char('0'))
        .arg(c.green, 2, 16, QLatin1Char('0'))
        .arg(c.blue, 2, 16, QLatin1Char('0'));
}

std::optional<FigureColor> colourOf(const QString& text) {
    if (text.size() != 7 || !text.startsWith('#'))
        return std::nullopt;
    bool ok = false;
    const uint rgb = text.mid(1).toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return FigureColor{std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb), 255};
}

bool fail(QString* error, const QString& why) {
    if (error)
        *error = why;
    return false;
}

bool save(const QString& path, const Workbook& book, QString* error) {
    // "\Styles\" and "\ini\" of a new user folder may not be there yet.
    QDir().mkpath(
        QFileInfo(QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'))).absolutePath());
    const Workbook::SaveResult saved = book.save(path);
    return saved.ok || fail(error, saved.error);
}

std::optional<Workbook> load(const QString& path, QString* error) {
    Workbook::LoadResult loaded = Workbook::load(path);
    if (!loaded.ok())
        fail(error, loaded.error);
    return std::move(loaded.workbook);
}

} // namespace

void StyleFile::writeSheet(Sheet& sheet, const StyleTable& table) {
    sheet.clear();
    for (int c = 0; c < int(headings.size()); ++c)
        sheet.setText(1, c + 1, headings[size_t(c)]);
    int row = 2;
    for (const NamedStyle& n : table) {
        const SeriesStyle& s = n.style;
        sheet.setText(row, Name, n.name);
        sheet.setText(row, Symbol, StyleForms::formNames()[StyleForms::formOf(s)]);
        sheet.setNumber(row, Size, s.symbolSize);
        sheet.setText(row, SymbolColour, colourText(s.color));
        sheet.setText(row, Pattern,
                      StyleForms::patternNames()[StyleForms::patternOf(s.linePattern)]);
        sheet.setNumber(row, Width, s.lineWidth);
        sheet.setText(row, LineColour, colourText(s.lineColor));
        sheet.setNumber(row, Hidden, s.hidden ? 1 : 0);
        ++row;
    }
}

std::optional<StyleTable> StyleFile::readSheet(const Sheet& sheet, QString* error) {
    std::array<int, 9> at{};
    for (int c = 1; c <= sheet.lastColumn(); ++c) {
        const qsizetype h =
            std::find(headings.begin(), headings.end(), sheet.text(1, c).trimmed()) -
            headings.begin();
        if (h < qsizetype(headings.size()))
            at[size_t(h) + 1] = c;
    }
    for (int c = Name; c <= Hidden; ++c)
        if (at[size_t(c)] == 0) {
            fail(error, QStringLiteral("No column ") + headings[size_t(c) - 1]);
            return std::nullopt;
        }
    StyleTable table;
    for (int r = 2; r <= sheet.lastRow(); ++r) {
        const auto text = [&](int c) { return sheet.text(r, at[size_t(c)]).trimmed(); };
        if (text(Name).isEmpty())
            continue;
        NamedStyle n{text(Name), {}};
        const auto form = StyleForms::formNamed(text(Symbol));
        const auto pattern = StyleForms::patternNamed(text(Pattern));
        const auto colour = colourOf(text(SymbolColour));
        const auto lineColour = colourOf(text(LineColour));
        const auto size = sheet.number(r, at[Size]);
        const auto width = sheet.number(r, at[Width]);
        const auto hidden = sheet.number(r, at[Hidden]);
        if (!form || !pattern || !colour || !lineColour || !size || !width || !hidden ||
            !(*size >= 0) || !(*width >= 0)) {
            fail(error, QStringLiteral("Row %1 of sheet does not read as a style").arg(r));
            return std::nullopt;
        }
        StyleForms::setForm(n.style, *form);
        n.style.symbolSize = *size;
        n.style.color = *colour;
        n.style.linePattern = *pattern;
        n.style.lineWidth = *width;
        n.style.lineColor = *lineColour;
        n.style.hidden = *hidden != 0;
        table.push_back(std::move(n));
    }
    return table;
}

bool StyleFile::saveTable(const QString& path, const StyleTable& table, QString* error) {
    Workbook book;
    writeSheet(book.sheet(tableSheet), table);
    return save(path, book, error);
}

bool StyleFile::saveLibrary(const QString& path, const StyleLibrary& library, QString* error) {
    Workbook book;
    for (int g = 0; g < StyleLibrary::groupCount; ++g)
        writeSheet(book.sheet(StyleLibrary::groupCaption(StyleGroup(g))),
                   library.entries(StyleGroup(g)));
    return save(path, book, error);
}

std::optional<StyleTable> StyleFile::loadTable(const QString& path, QString* error) {
    const std::optional<Workbook> book = load(path, error);
    if (!book)
        return std::nullopt;
    const Sheet* sheet = book->findSheet(tableSheet);
    if (!sheet) {
        fail(error, QStringLiteral("No sheet ") + tableSheet);
        return std::nullopt;
    }
    return readSheet(*sheet, error);
}

std::optional<StyleLibrary> StyleFile::loadLibrary(const QString& path, QString* error) {
    const std::optional<Workbook> book = load(path, error);
    if (!book)
        return std::nullopt;
    StyleLibrary library;
    // A group's sheet may be missing (an empty group); a sheet that does not read spoils the file.
    for (int g = 0; g < StyleLibrary::groupCount; ++g) {
        const Sheet* sheet = book->findSheet(StyleLibrary::groupCaption(StyleGroup(g)));
        if (!sheet)
            continue;
        auto table = readSheet(*sheet, error);
        if (!table)
            return std::nullopt;
        library.stored(StyleGroup(g)) = std::move(*table);
    }
    return library;
}
