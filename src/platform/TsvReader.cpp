#include "platform/TsvReader.h"

namespace {
bool endsField(char c) {
    return c == '\t' || c == '\n' || c == '\r';
}
} // namespace

bool TsvReader::fail(int line, const QString& text) {
    error_ = text;
    errorLine_ = line;
    pos_ = data_.size();
    return false;
}

bool TsvReader::readRecord(std::vector<QByteArray>& fields) {
    fields.clear();
    if (atEnd() || failed()) {
        return false;
    }
    for (;;) {
        QByteArray field;
        if (data_[pos_] == '"') {
            if (!readQuoted(field)) {
                return false;
            }
        } else {
            readBare(field);
        }
        fields.push_back(std::move(field));
        if (atEnd()) {
            return true;
        }
        const char delimiter = data_[pos_++];
        if (delimiter == '\t') {
            if (atEnd()) { // a trailing TAB: one more, empty field
                fields.emplace_back();
                return true;
            }
            continue;
        }
        if (delimiter == '\r') {
            if (!atEnd() && data_[pos_] == '\n') {
                ++pos_;
            } else if (strictBreaks()) {
                return fail(line_, QStringLiteral("a carriage return outside quotes"));
            }
        }
        ++line_;
        return true;
    }
}

void TsvReader::readBare(QByteArray& field) {
    const qsizetype start = pos_;
    while (pos_ < data_.size() && !endsField(data_[pos_])) {
        ++pos_;
    }
    field = QByteArray::fromRawData(data_.data() + start, pos_ - start);
}

bool TsvReader::readQuoted(QByteArray& field) {
    const qsizetype open = pos_;
    const int openLine = line_;
    int lines = 0;
    qsizetype i = pos_ + 1;
    for (;;) {
        const qsizetype quote = data_.indexOf('"', i);
        if (quote < 0) {
            if (strictQuotes()) {
                return fail(openLine, QStringLiteral("a quoted cell is not closed"));
            }
            // Not quoting after all: a text that merely begins with a quote.
            field.clear();
            pos_ = open;
            readBare(field);
            return true;
        }
        const QByteArrayView part = data_.sliced(i, quote - i);
        lines += static_cast<int>(part.count('\n'));
        field.append(part);
        if (quote + 1 < data_.size() && data_[quote + 1] == '"') {
            field.append('"');
            i = quote + 2;
            continue;
        }
        pos_ = quote + 1;
        break;
    }
    line_ += lines;
    if (!atEnd() && !endsField(data_[pos_])) {
        if (strictQuotes()) {
            return fail(openLine, QStringLiteral("text after the closing quote of a cell"));
        }
        const qsizetype start = pos_;
        while (pos_ < data_.size() && !endsField(data_[pos_])) {
            ++pos_;
        }
        field.append(data_.sliced(start, pos_ - start));
    }
    return true;
}
