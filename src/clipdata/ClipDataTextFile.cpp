#include "clipdata/ClipDataTextFile.h"

#include "clipdata/CsvText.h"
#include "platform/BoundedFile.h"
#include "platform/FieldNumber.h"
#include "platform/NumberText.h"
#include "platform/SheetLimits.h"
#include "platform/TextFileDecoder.h"
#include "platform/TsvFormat.h"
#include "platform/TsvReader.h"

#include <QSaveFile>
#include <climits>

namespace {
constexpr qsizetype kChunk = 1 << 20;

// Fills a page record by record; refuses a record past the page's limits.
class PageFiller {
public:
    bool add(int fieldCount, const std::function<QString(int)>& field) {
        if (row_ == Sheet::maxRows || fieldCount > Sheet::maxColumns)
            return false;
        ++row_;
        for (int c = 0; c < fieldCount; ++c) {
            const QString text = field(c);
            if (text.isEmpty())
                continue;
            // "007" names a sample: it stays a text, so its column becomes a text field.
            const std::optional<double> number = FieldNumber::of(QStringView(text));
            if (number)
                page_.setNumber(row_, c + 1, *number);
            else
                page_.setText(row_, c + 1, text);
        }
        return true;
    }
    Sheet take() { return std::move(page_); }

private:
    Sheet page_;
    int row_ = 0;
};

QString tooBig() {
    return QStringLiteral("the file does not fit on a page: ") + SheetLimits::text();
}

bool readCsv(const QString& text, PageFiller& filler, QString* error) {
    bool fits = true;
    const bool read = CsvText::forEachRecord(
        text,
        [&](const CsvText::Record& record) {
            fits = filler.add(int(qMin<size_t>(record.fields.size(), INT_MAX)),
                              [&record](int c) { return record.fields[size_t(c)].text; });
            return fits;
        },
        error);
    if (!fits)
        *error = tooBig();
    return read;
}

bool readTsv(QByteArrayView utf8, PageFiller& filler, QString* error) {
    TsvReader reader(utf8, TsvReader::Mode::File);
    std::vector<QByteArray> fields;
    while (reader.readRecord(fields)) {
        if (!filler.add(int(qMin<size_t>(fields.size(), INT_MAX)),
                        [&fields](int c) { return QString::fromUtf8(fields[size_t(c)]); })) {
            *error = tooBig();
            return false;
        }
    }
    if (reader.failed()) {
        *error = QStringLiteral("line %1: %2").arg(reader.errorLine()).arg(reader.error());
        return false;
    }
    return true;
}

// One row of the page as text, ended by CR LF.
void appendRow(QByteArray& out, const std::vector<SheetCell>& cells,
               ClipDataTextFile::Separator separator) {
    if (separator == ClipDataTextFile::Separator::Tab) {
        for (size_t c = 0; c < cells.size(); ++c) {
            if (c > 0)
                out.append('\t');
            if (cells[c].kind() == SheetCell::Kind::Number)
                NumberText::appendTo(out, cells[c].number());
            else if (cells[c].kind() == SheetCell::Kind::Text)
                TsvFormat::appendField(out, cells[c].storedText());
        }
        out.append("\r\n");
        return;
    }
    QStringList fields;
    fields.reserve(qsizetype(cells.size()));
    for (const SheetCell& cell : cells)
        fields << (cell.kind() == SheetCell::Kind::Number ? NumberText::toText(cell.number())
                   : cell.kind() == SheetCell::Kind::Text ? cell.storedText()
                                                          : QString());
    QString record;
    CsvText::appendRecord(record, fields);
    out.append(record.toUtf8());
}
} // namespace

ClipDataTextFile::Loaded ClipDataTextFile::read(const QString& path, Separator separator) {
    Loaded loaded;
    const std::optional<QByteArray> bytes = BoundedFile::readAll(path, &loaded.error);
    if (!bytes)
        return loaded;
    TextFileDecoder::Decoded decoded = TextFileDecoder::decode(*bytes);
    loaded.windows1252 = decoded.windows1252;
    PageFiller filler;
    bool read = false;
    if (separator == Separator::Comma) {
        read = readCsv(decoded.text, filler, &loaded.error);
    } else if (decoded.windows1252) {
        read = readTsv(decoded.text.toUtf8(), filler, &loaded.error);
    } else {
        QByteArrayView utf8(*bytes);
        if (utf8.startsWith("\xEF\xBB\xBF"))
            utf8 = utf8.sliced(3);
        decoded.text.clear(); // the bytes serve as they are
        read = readTsv(utf8, filler, &loaded.error);
    }
    if (read)
        loaded.page = filler.take();
    return loaded;
}

bool ClipDataTextFile::write(const Sheet& page, const QString& path, Separator separator,
                             QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    QByteArray out;
    for (int row = 1; row <= page.lastRow(); ++row) {
        appendRow(out, page.rowCells(row), separator);
        if (out.size() >= kChunk || row == page.lastRow()) {
            if (file.write(out) != out.size()) {
                *error = file.errorString();
                file.cancelWriting();
                return false;
            }
            out.clear();
        }
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
