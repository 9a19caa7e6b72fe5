#include "automation/MacroFile.h"

#include "platform/Sheet.h"
#include "platform/Workbook.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

std::optional<QStringList> MacroFile::read(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    QStringList lines;
    if (bytes.startsWith(Workbook::magicLine().toUtf8())) {
        const auto loaded = Workbook::parseUtf8(bytes);
        if (!loaded.ok()) {
            if (error)
                *error = loaded.error;
            return std::nullopt;
        }
        if (const Sheet* sheet = loaded.workbook->sheetAt(1))
            for (int row = 1; row <= sheet->lastRow(); ++row)
                lines << sheet->text(row, 1);
    } else {
        static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n"));
        lines = QString::fromUtf8(bytes).split(lineBreak);
    }
    QStringList kept;
    for (const QString& line : lines)
        if (!line.trimmed().isEmpty())
            kept << line.trimmed();
    return kept;
}

bool MacroFile::write(const QString& path, const QStringList& lines, QString* error) {
    QSaveFile file(path);
    QByteArray text;
    for (const QString& line : lines)
        text += line.toUtf8() + '\n';
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
