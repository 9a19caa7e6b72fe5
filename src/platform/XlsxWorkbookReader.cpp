#include "platform/XlsxWorkbookReader.h"

#include "platform/BoundedFile.h"
#include "platform/SheetLimits.h"

#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QXmlStreamReader>
#include <cmath>
#include <zip.h>

namespace {
// The parts of the package, read whole.
class Package {
public:
    explicit Package(const QString& path) {
        int code = 0;
        archive_ = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
        if (!archive_) {
            zip_error_t error;
            zip_error_init_with_code(&error, code);
            error_ = QString::fromUtf8(zip_error_strerror(&error));
            zip_error_fini(&error);
        }
    }
    ~Package() {
        if (archive_)
            zip_discard(archive_);
    }
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    bool isOpen() const { return archive_ != nullptr; }
    const QString& error() const { return error_; }
    bool has(const QString& name) const {
        return archive_ && zip_name_locate(archive_, name.toUtf8().constData(), 0) >= 0;
    }
    std::optional<QByteArray> part(const QString& name) {
        const QByteArray entry = name.toUtf8();
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat(archive_, entry.constData(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
            stat.size > zip_uint64_t(BoundedFile::maxBytes)) {
            error_ = !(stat.valid & ZIP_STAT_SIZE)
                         ? QStringLiteral("the part %1 is missing").arg(name)
                         : QStringLiteral("the part %1: %2").arg(name, BoundedFile::tooLargeText());
            return std::nullopt;
        }
        zip_file_t* file = zip_fopen(archive_, entry.constData(), 0);
        if (!file) {
            error_ = QString::fromUtf8(zip_strerror(archive_));
            return std::nullopt;
        }
        QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
        const zip_int64_t read = zip_fread(file, bytes.data(), stat.size);
        zip_fclose(file);
        if (read != zip_int64_t(stat.size)) {
            error_ = QStringLiteral("the part %1 cannot be read").arg(name);
            return std::nullopt;
        }
        return bytes;
    }

private:
    zip_t* archive_ = nullptr;
    QString error_;
};

struct SheetRef {
    QString name;
    QString part; // e.g. "xl/worksheets/sheet1.xml"
};

// A relationship target is relative to the folder of the part that names it, or absolute.
QString resolveTarget(const QString& target) {
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    return QStringLiteral("xl/") + target;
}

// Every start element of a document, in order, to `visit(reader)`.
template <typename Visit> bool forEachElement(const QByteArray& xml, Visit&& visit) {
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement)
            visit(reader);
    }
    return !reader.hasError();
}

QHash<QString, QString> readRelationships(const QByteArray& xml) {
    QHash<QString, QString> targets;
    forEachElement(xml, [&](QXmlStreamReader& reader) {
        if (reader.name() == QLatin1String("Relationship"))
            targets.insert(
                reader.attributes().value(QLatin1String("Id")).toString(),
                resolveTarget(reader.attributes().value(QLatin1String("Target")).toString()));
    });
    return targets;
}

// The text of all <t> inside the current element (a shared string item or an inline string);
// phonetic runs (<rPh>) are not part of the text.
QString itemText(QXmlStreamReader& reader) {
    QString text;
    const QString end = reader.name().toString();
    int phonetic = 0;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (reader.name() == QLatin1String("rPh"))
                ++phonetic;
            else if (reader.name() == QLatin1String("t") && phonetic == 0)
                text += reader.readElementText();
        } else if (token == QXmlStreamReader::EndElement) {
            if (reader.name() == QLatin1String("rPh"))
                --phonetic;
            else if (reader.name() == end)
                break;
        }
    }
    return text;
}

// Whether a number format code shows a date or time: y, m, d, h or s outside quoted text,
// escapes and [colour] / [$-locale] brackets ("[h]:mm" counts: an elapsed time).
bool isDateFormatCode(const QString& code) {
    bool quoted = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar ch = code[i];
        if (ch == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (ch == QLatin1Char('\\') || ch == QLatin1Char('_') || ch == QLatin1Char('*')) {
            ++i;
        } else if (ch == QLatin1Char('[')) {
            const qsizetype close = code.indexOf(QLatin1Char(']'), i);
            const QString inside = code.mid(i + 1, close - i - 1).toLower();
            if (!inside.isEmpty() && inside.count(inside[0]) == inside.size() &&
                QStringLiteral("hms").contains(inside[0]))
                return true;
            if (close < 0)
                return false;
            i = close;
        } else if (QStringLiteral("ymdhsYMDHS").contains(ch)) {
            return true;
        }
    }
    return false;
}

// For each cell style (the s attribute of a cell), whether it formats numbers as dates.
QList<bool> readDateStyles(const QByteArray& xml) {
    QSet<int> dateFormats;
    for (int id : {14, 15, 16, 17, 18, 19, 20, 21, 22, 45, 46, 47})
        dateFormats.insert(id);
    QList<bool> dateStyles;
    bool inCellXfs = false;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const auto attributes = reader.attributes();
            if (reader.name() == QLatin1String("numFmt")) {
                const int id = attributes.value(QLatin1String("numFmtId")).toInt();
                if (isDateFormatCode(attributes.value(QLatin1String("formatCode")).toString()))
                    dateFormats.insert(id);
                else
                    dateFormats.remove(id);
            } else if (reader.name() == QLatin1String("cellXfs")) {
                inCellXfs = true;
            } else if (inCellXfs && reader.name() == QLatin1String("xf")) {
                dateStyles.append(
                    dateFormats.contains(attributes.value(QLatin1String("numFmtId")).toInt()));
            }
        } else if (token == QXmlStreamReader::EndElement &&
                   reader.name() == QLatin1String("cellXfs")) {
            inCellXfs = false;
        }
    }
    return dateStyles;
}

// A serial date as its text. The 1900 system counts 1900-02-29, which never was; serials
// before it are one day off from the usual epoch 1899-12-30.
QString serialDateText(double serial, bool system1904) {
    const double days = std::floor(serial);
    qint64 seconds = qRound64((serial - days) * 86400.0);
    qint64 wholeDays = qint64(days);
    if (seconds == 86400) {
        ++wholeDays;
        seconds = 0;
    }
    const QTime time = QTime(0, 0).addSecs(int(seconds));
    if (!system1904 && serial < 1.0)
        return time.toString(QStringLiteral("HH:mm:ss"));
    QDate epoch = system1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
    if (!system1904 && wholeDays < 61)
        epoch = epoch.addDays(1);
    const QDate date = epoch.addDays(wholeDays);
    if (seconds == 0)
        return date.toString(QStringLiteral("yyyy-MM-dd"));
    return date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') +
           time.toString(QStringLiteral("HH:mm:ss"));
}

// "AB12" -> column 28; 0 when the reference has no column letters.
int columnOfReference(QStringView reference) {
    int column = 0;
    for (QChar ch : reference) {
        if (ch < QLatin1Char('A') || ch > QLatin1Char('Z'))
            break;
        column = column * 26 + (ch.unicode() - 'A' + 1);
        if (column > Sheet::maxColumns)
            return Sheet::maxColumns + 1;
    }
    return column;
}

struct WorkbookParts {
    QStringList sharedStrings;
    QList<bool> dateStyles;
    bool system1904 = false;

    // A style index comes from the file: any int, also below zero or past the styles there are.
    bool isDateStyle(int style) const {
        return style >= 0 && style < dateStyles.size() && dateStyles[style];
    }
};

// Reads one worksheet part into `page`; false with `error` on a fault.
bool readWorksheet(const QByteArray& xml, const WorkbookParts& parts, Sheet& page, QString* error) {
    QXmlStreamReader reader(xml);
    int row = 0;
    int column = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == QLatin1String("row")) {
            const int r = reader.attributes().value(QLatin1String("r")).toInt();
            row = r > 0 ? r : row + 1;
            column = 0;
            continue;
        }
        if (reader.name() != QLatin1String("c"))
            continue;
        const auto attributes = reader.attributes();
        const int c = columnOfReference(attributes.value(QLatin1String("r")));
        column = c > 0 ? c : column + 1;
        if (row < 1 || row > Sheet::maxRows || column > Sheet::maxColumns) {
            *error = QStringLiteral("its cell %1 lies outside a page: %2")
                         .arg(SheetLimits::cellName(row, column), SheetLimits::text());
            return false;
        }
        const QString type = attributes.value(QLatin1String("t")).toString();
        const int style = attributes.value(QLatin1String("s")).toInt();
        QString value;
        bool hasValue = false;
        while (!reader.atEnd()) {
            const auto token = reader.readNext();
            if (token == QXmlStreamReader::EndElement && reader.name() == QLatin1String("c"))
                break;
            if (token != QXmlStreamReader::StartElement)
                continue;
            if (reader.name() == QLatin1String("v")) {
                value = reader.readElementText();
                hasValue = true;
            } else if (reader.name() == QLatin1String("is")) {
                value = itemText(reader);
                hasValue = true;
            }
        }
        if (!hasValue || value.isEmpty())
            continue;
        if (type == QLatin1String("s")) {
            bool ok = false;
            const int index = value.toInt(&ok);
            if (!ok || index < 0 || index >= parts.sharedStrings.size()) {
                *error = QStringLiteral("a cell names a shared string that is not there");
                return false;
            }
            if (!parts.sharedStrings[index].isEmpty())
                page.setText(row, column, parts.sharedStrings[index]);
        } else if (type == QLatin1String("inlineStr") || type == QLatin1String("str") ||
                   type == QLatin1String("e") || type == QLatin1String("d")) {
            page.setText(row, column, value);
        } else {
            bool ok = false;
            const double number = value.toDouble(&ok);
            if (!ok)
                page.setText(row, column, value);
            else if (type.isEmpty() && parts.isDateStyle(style) && number >= 0)
                page.setText(row, column, serialDateText(number, parts.system1904));
            else
                page.setNumber(row, column, number);
        }
    }
    if (reader.hasError()) {
        *error = reader.errorString();
        return false;
    }
    return true;
}
} // namespace

std::optional<Workbook> XlsxWorkbookReader::read(const QString& path, QString* error) {
    Package package(path);
    const auto fail = [&](const QString& why) {
        *error = why;
        return std::nullopt;
    };
    if (!package.isOpen())
        return fail(package.error());
    if (!package.has(QStringLiteral("xl/workbook.xml")))
        return fail(QStringLiteral("not an Excel workbook (no xl/workbook.xml)"));

    WorkbookParts parts;
    const std::optional<QByteArray> workbookXml = package.part(QStringLiteral("xl/workbook.xml"));
    const std::optional<QByteArray> relationsXml =
        package.part(QStringLiteral("xl/_rels/workbook.xml.rels"));
    if (!workbookXml || !relationsXml)
        return fail(package.error());
    const QHash<QString, QString> targets = readRelationships(*relationsXml);
    QList<SheetRef> sheets;
    const bool wellFormed = forEachElement(*workbookXml, [&](QXmlStreamReader& reader) {
        const auto attributes = reader.attributes();
        if (reader.name() == QLatin1String("workbookPr")) {
            const auto date1904 = attributes.value(QLatin1String("date1904"));
            parts.system1904 = date1904 == QLatin1String("1") || date1904 == QLatin1String("true");
        } else if (reader.name() == QLatin1String("sheet")) {
            QString id;
            for (const QXmlStreamAttribute& attribute : attributes)
                if (attribute.name() == QLatin1String("id"))
                    id = attribute.value().toString();
            sheets.append({attributes.value(QLatin1String("name")).toString(), targets.value(id)});
        }
    });
    if (!wellFormed)
        return fail(QStringLiteral("xl/workbook.xml is damaged"));

    if (package.has(QStringLiteral("xl/sharedStrings.xml"))) {
        const std::optional<QByteArray> xml = package.part(QStringLiteral("xl/sharedStrings.xml"));
        if (!xml)
            return fail(package.error());
        QXmlStreamReader reader(*xml);
        while (!reader.atEnd())
            if (reader.readNext() == QXmlStreamReader::StartElement &&
                reader.name() == QLatin1String("si"))
                parts.sharedStrings.append(itemText(reader));
        if (reader.hasError())
            return fail(QStringLiteral("xl/sharedStrings.xml is damaged"));
    }
    if (package.has(QStringLiteral("xl/styles.xml"))) {
        const std::optional<QByteArray> xml = package.part(QStringLiteral("xl/styles.xml"));
        if (!xml)
            return fail(package.error());
        parts.dateStyles = readDateStyles(*xml);
    }

    Workbook book;
    for (const SheetRef& sheet : sheets) {
        if (sheet.part.isEmpty() || !package.has(sheet.part))
            return fail(QStringLiteral("worksheet %1 is missing from the file").arg(sheet.name));
        const std::optional<QByteArray> xml = package.part(sheet.part);
        if (!xml)
            return fail(package.error());
        QString why;
        if (book.hasSheet(sheet.name) || !readWorksheet(*xml, parts, book.sheet(sheet.name), &why))
            return fail(
                QStringLiteral("worksheet %1 cannot be read: %2")
                    .arg(sheet.name, why.isEmpty() ? QStringLiteral("its name repeats") : why));
    }
    return book;
}
