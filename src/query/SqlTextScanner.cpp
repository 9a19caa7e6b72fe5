#include "query/SqlTextScanner.h"

SqlTextScanner::SqlTextScanner(QString text)
    : text_(std::move(text))
    , quoted_(size_t(text_.size()), false) {
    const qsizetype n = text_.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text_[i];
        QChar close;
        if (c == u'[')
            close = u']';
        else if (c == u'\'' || c == u'"')
            close = c;
        else {
            ++i;
            continue;
        }
        quoted_[size_t(i)] = true;
        ++i;
        while (i < n) {
            quoted_[size_t(i)] = true;
            if (text_[i] == close) {
                // A doubled closing delimiter stands for itself and keeps the name or literal open.
                if (i + 1 < n && text_[i + 1] == close) {
                    quoted_[size_t(i + 1)] = true;
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            ++i;
        }
    }
}

bool SqlTextScanner::isQuoted(qsizetype i) const {
    return i >= 0 && i < text_.size() && quoted_[size_t(i)];
}

qsizetype SqlTextScanner::find(QStringView word, qsizetype from) const {
    if (word.isEmpty())
        return -1;
    qsizetype at = text_.indexOf(word, std::max<qsizetype>(from, 0), Qt::CaseSensitive);
    while (at >= 0) {
        bool outside = true;
        for (qsizetype k = at; k < at + word.size() && outside; ++k)
            outside = !quoted_[size_t(k)];
        if (outside)
            return at;
        at = text_.indexOf(word, at + 1, Qt::CaseSensitive);
    }
    return -1;
}

qsizetype SqlTextScanner::matchingClose(qsizetype open) const {
    if (open < 0 || open >= text_.size() || text_[open] != u'(' || quoted_[size_t(open)])
        return -1;
    int depth = 0;
    for (qsizetype i = open; i < text_.size(); ++i) {
        if (quoted_[size_t(i)])
            continue;
        if (text_[i] == u'(')
            ++depth;
        else if (text_[i] == u')' && --depth == 0)
            return i;
    }
    return -1;
}

int SqlTextScanner::parenthesisBalance() const {
    int balance = 0;
    for (qsizetype i = 0; i < text_.size(); ++i) {
        if (quoted_[size_t(i)])
            continue;
        if (text_[i] == u'(')
            ++balance;
        else if (text_[i] == u')')
            --balance;
    }
    return balance;
}

QStringList SqlTextScanner::split(QChar sep) const {
    QStringList pieces;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text_.size(); ++i) {
        if (text_[i] == sep && !quoted_[size_t(i)]) {
            pieces << text_.mid(start, i - start);
            start = i + 1;
        }
    }
    pieces << text_.mid(start);
    return pieces;
}
