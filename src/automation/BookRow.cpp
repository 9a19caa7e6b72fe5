#include "automation/BookRow.h"

#include "automation/PictureBook.h"

BookRow BookRow::append(PictureBook& book, const QString& type) {
    BookRow row(book, book.nextRow());
    row.put(PictureBook::Source, type);
    return row;
}

void BookRow::put(int column, const QString& text) {
    if (!text.isEmpty())
        book_.figures().setText(row_, column, text);
}

void BookRow::putFlag(int column, bool on) {
    put(column, flag(on));
}

void BookRow::putRange(int firstColumn, std::pair<int, int> range) {
    if (range.first <= 0)
        return;
    book_.figures().setNumber(row_, firstColumn, range.first);
    book_.figures().setNumber(row_, firstColumn + 1, range.second);
}

void BookRow::putPair(int column, const QString& first, const QString& second) {
    if (!first.isEmpty() || !second.isEmpty())
        put(column, first + QLatin1Char(';') + second);
}

std::pair<QString, QString> BookRow::pair(const PictureBook& book, int row, int column) {
    const QString text = book.figures().text(row, column);
    return {text.section(QLatin1Char(';'), 0, 0), text.section(QLatin1Char(';'), 1)};
}

void BookRow::putOptions(const Options& options) {
    QStringList parts;
    for (const auto& [name, value] : options)
        parts << name + QLatin1Char('=') + QString::fromUtf8(value.toUtf8().toPercentEncoding(" "));
    put(PictureBook::WindowOptions, parts.join(QLatin1Char(';')));
}

QHash<QString, QString> BookRow::options(const PictureBook& book, int row) {
    QHash<QString, QString> out;
    const QString text = book.figures().text(row, PictureBook::WindowOptions);
    for (const QString& part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype at = part.indexOf(QLatin1Char('='));
        if (at > 0)
            out.insert(part.left(at), QString::fromUtf8(QByteArray::fromPercentEncoding(
                                          part.mid(at + 1).toUtf8())));
    }
    return out;
}

int BookRow::finish(const QString& displayName, const QString& graphFile) {
    put(PictureBook::DisplayName, displayName);
    put(PictureBook::Marker, QStringLiteral("Fig ") + QString::number(row_));
    put(PictureBook::GraphFile, graphFile);
    book_.setModified();
    return row_;
}

QString BookRow::flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

bool BookRow::isOn(const QString& text) {
    return text == QLatin1String("1") ||
           text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
}
