#include "platform/Workbook.h"

#include "platform/BoundedFile.h"
#include "platform/NumberText.h"
#include "platform/TsvFormat.h"
#include "platform/TsvReader.h"

#include <QFile>
#include <QSaveFile>
#include <string_view>

namespace {
constexpr QByteArrayView kMagic = "#QUV-WORKBOOK 1";
constexpr QByteArrayView kMagicPrefix = "#QUV-WORKBOOK ";
constexpr QByteArrayView kSheetTag = "[sheet]";
constexpr QByteArrayView kEndTag = "#END";
constexpr qsizetype kChunk = 1 << 20;

// Whether a text needs the "'" marker to read back as this text (see the header).
bool needsMarker(QStringView text) {
    const QChar first = text.front();
    if (first == u'\'' || first == u'[' || first == u'#') {
        return true;
    }
    return NumberText::fromText(text, NumberText::Specials::Accept).has_value();
}

void appendText(QByteArray& out, const QString& text) {
    if (needsMarker(text)) {
        TsvFormat::appendField(out, QString(u'\'' + text));
    } else {
        TsvFormat::appendField(out, text);
    }
}

SheetCell decodeCell(const QByteArray& field) {
    if (field.startsWith('\'')) {
        return SheetCell(QString::fromUtf8(field.constData() + 1, field.size() - 1));
    }
    const std::string_view bytes(field.constData(), static_cast<std::size_t>(field.size()));
    if (const auto value = NumberText::fromText(bytes, NumberText::Specials::Accept)) {
        return SheetCell(*value);
    }
    return SheetCell(QString::fromUtf8(field));
}

QString quotedName(const QString& name) {
    return QStringLiteral("\"") + name + QStringLiteral("\"");
}

QString cleanPath(const QString& path) {
    QString clean = path;
    clean.replace(u'\\', u'/');
    return clean;
}
} // namespace

Workbook::Workbook(const Workbook& other) {
    *this = other;
}

Workbook& Workbook::operator=(const Workbook& other) {
    if (this != &other) {
        std::vector<Entry> copy;
        copy.reserve(other.sheets_.size());
        for (const Entry& entry : other.sheets_) {
            copy.push_back({entry.name, std::make_unique<Sheet>(*entry.sheet)});
        }
        sheets_ = std::move(copy);
    }
    return *this;
}

int Workbook::indexOf(const QString& name) const {
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
        if (sheets_[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QStringList Workbook::sheetNames() const {
    QStringList names;
    for (const Entry& entry : sheets_) {
        names.append(entry.name);
    }
    return names;
}

Sheet& Workbook::sheet(const QString& name) {
    const int index = indexOf(name);
    if (index >= 0) {
        return *sheets_[static_cast<std::size_t>(index)].sheet;
    }
    sheets_.push_back({name, std::make_unique<Sheet>()});
    return *sheets_.back().sheet;
}

const Sheet* Workbook::findSheet(const QString& name) const {
    const int index = indexOf(name);
    return index >= 0 ? sheets_[static_cast<std::size_t>(index)].sheet.get() : nullptr;
}

Sheet* Workbook::sheetAt(int index) {
    if (index < 1 || index > sheetCount()) {
        return nullptr;
    }
    return sheets_[static_cast<std::size_t>(index - 1)].sheet.get();
}

const Sheet* Workbook::sheetAt(int index) const {
    return const_cast<Workbook*>(this)->sheetAt(index);
}

QString Workbook::sheetName(int index) const {
    if (index < 1 || index > sheetCount()) {
        return {};
    }
    return sheets_[static_cast<std::size_t>(index - 1)].name;
}

bool Workbook::removeSheet(const QString& name) {
    const int index = indexOf(name);
    if (index < 0) {
        return false;
    }
    sheets_.erase(sheets_.begin() + index);
    return true;
}

bool Workbook::renameSheet(const QString& from, const QString& to) {
    const int index = indexOf(from);
    if (index < 0) {
        return false;
    }
    if (from == to) {
        return true;
    }
    if (hasSheet(to)) {
        return false;
    }
    sheets_[static_cast<std::size_t>(index)].name = to;
    return true;
}

bool Workbook::operator==(const Workbook& other) const {
    if (sheets_.size() != other.sheets_.size()) {
        return false;
    }
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
        if (sheets_[i].name != other.sheets_[i].name ||
            !(*sheets_[i].sheet == *other.sheets_[i].sheet)) {
            return false;
        }
    }
    return true;
}

template <typename Flush> bool Workbook::write(Flush&& flush, bool strict, QString* error) const {
    QByteArray out;
    out.reserve(kChunk + kChunk / 4);
    out.append(kMagic);
    out.append('\n');
    for (const Entry& entry : sheets_) {
        if (strict && !QStringView(entry.name).isValidUtf16()) {
            *error = QStringLiteral("the sheet name %1 holds characters that can not be saved")
                         .arg(quotedName(entry.name));
            return false;
        }
        out.append(kSheetTag);
        out.append('\t');
        TsvFormat::appendField(out, entry.name);
        out.append('\n');
        const Sheet& sheet = *entry.sheet;
        for (int row = 1; row <= sheet.lastRow(); ++row) {
            const auto& cells = sheet.rowCells(row);
            for (std::size_t c = 0; c < cells.size(); ++c) {
                if (c > 0) {
                    out.append('\t');
                }
                const SheetCell& cell = cells[c];
                if (cell.kind() == SheetCell::Kind::Number) {
                    NumberText::appendTo(out, cell.number());
                } else if (cell.kind() == SheetCell::Kind::Text) {
                    if (strict && !QStringView(cell.storedText()).isValidUtf16()) {
                        *error = QStringLiteral("the text in row %1, column %2 of sheet %3 holds "
                                                "characters that can not be saved")
                                     .arg(row)
                                     .arg(c + 1)
                                     .arg(quotedName(entry.name));
                        return false;
                    }
                    appendText(out, cell.storedText());
                }
            }
            out.append('\n');
            if (out.size() >= kChunk) {
                if (!flush(out)) {
                    return false;
                }
                out.clear();
            }
        }
    }
    out.append(kEndTag);
    out.append('\n');
    return flush(out);
}

QByteArray Workbook::toUtf8() const {
    QByteArray all;
    write(
        [&all](const QByteArray& chunk) {
            all.append(chunk);
            return true;
        },
        false, nullptr);
    return all;
}

Workbook::LoadResult Workbook::parse(const QString& text) {
    return parseUtf8(text.toUtf8());
}

Workbook::LoadResult Workbook::parseUtf8(QByteArrayView utf8) {
    LoadResult result;
    const auto fail = [&result](int line, const QString& text) {
        result.workbook.reset();
        result.line = line;
        result.error = QStringLiteral("line %1: %2").arg(line).arg(text);
        return result;
    };

    const qsizetype firstBreak = utf8.indexOf('\n');
    QByteArrayView first = firstBreak < 0 ? utf8 : utf8.first(firstBreak);
    if (first.endsWith('\r')) {
        first.chop(1);
    }
    if (first != kMagic) {
        if (first.startsWith(kMagicPrefix)) {
            return fail(1, QStringLiteral("unsupported workbook version \"%1\"")
                               .arg(QString::fromUtf8(first.sliced(kMagicPrefix.size()))));
        }
        return fail(1, QStringLiteral("not a QUV workbook file"));
    }
    const QByteArrayView body = firstBreak < 0 ? QByteArrayView() : utf8.sliced(firstBreak + 1);

    Workbook workbook;
    TsvReader reader(body, TsvReader::Mode::Strict);
    std::vector<QByteArray> fields;
    Sheet* sheet = nullptr;
    int row = 0;
    bool ended = false;
    while (!reader.atEnd()) {
        const int line = reader.line() + 1;
        const char lead = reader.peek();
        if (!reader.readRecord(fields)) {
            break;
        }
        const bool emptyLine = fields.size() == 1 && fields.front().isEmpty();
        if (ended) {
            if (emptyLine) {
                continue;
            }
            return fail(line, QStringLiteral("text after the #END line"));
        }
        if (lead == '#') {
            if (fields.size() == 1 && fields.front() == kEndTag) {
                ended = true;
                continue;
            }
            return fail(line, QStringLiteral("a line beginning with # that is not #END"));
        }
        if (lead == '[') {
            if (fields.front() != kSheetTag) {
                return fail(line, QStringLiteral("a line beginning with [ that is not [sheet]"));
            }
            if (fields.size() < 2) {
                return fail(line, QStringLiteral("[sheet] without a TAB and a sheet name"));
            }
            if (fields.size() > 2) {
                return fail(line, QStringLiteral("text after the sheet name"));
            }
            const QString name = QString::fromUtf8(fields[1]);
            if (workbook.hasSheet(name)) {
                return fail(line, QStringLiteral("a second sheet named %1").arg(quotedName(name)));
            }
            sheet = &workbook.sheet(name);
            row = 0;
            continue;
        }
        if (!sheet) {
            if (emptyLine) {
                continue;
            }
            return fail(line, QStringLiteral("cells before the first [sheet] line"));
        }
        if (++row > Sheet::maxRows) {
            return fail(line, QStringLiteral("more than %1 rows in a sheet").arg(Sheet::maxRows));
        }
        if (fields.size() > static_cast<std::size_t>(Sheet::maxColumns)) {
            return fail(line, QStringLiteral("more than %1 cells in a row").arg(Sheet::maxColumns));
        }
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (!fields[i].isEmpty()) {
                sheet->setCell(row, static_cast<int>(i) + 1, decodeCell(fields[i]));
            }
        }
    }
    if (reader.failed()) {
        return fail(reader.errorLine() + 1, reader.error());
    }
    if (!ended) {
        return fail(reader.line() + 1,
                    QStringLiteral("the file ends before its #END line (it is truncated)"));
    }
    result.workbook = std::move(workbook);
    return result;
}

Workbook::SaveResult Workbook::save(const QString& path) const {
    const QString target = cleanPath(path);
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        return {false, QStringLiteral("can not write %1: %2").arg(target, file.errorString())};
    }
    QString error;
    const bool written =
        write([&file](const QByteArray& chunk) { return file.write(chunk) == chunk.size(); }, true,
              &error);
    if (!written) {
        if (error.isEmpty()) {
            error = QStringLiteral("can not write %1: %2").arg(target, file.errorString());
        }
        file.cancelWriting();
        return {false, error};
    }
    if (!file.commit()) {
        return {false, QStringLiteral("can not write %1: %2").arg(target, file.errorString())};
    }
    return {true, {}};
}

Workbook::LoadResult Workbook::load(const QString& path) {
    const QString source = cleanPath(path);
    QString why;
    const std::optional<QByteArray> bytes = BoundedFile::readAll(source, &why);
    if (!bytes) {
        LoadResult result;
        result.error = QStringLiteral("can not open %1: %2").arg(source, why);
        return result;
    }
    QByteArrayView view(*bytes);
    if (view.startsWith("\xEF\xBB\xBF")) {
        view = view.sliced(3);
    }
    return parseUtf8(view);
}
