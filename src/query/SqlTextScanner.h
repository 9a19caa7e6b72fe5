#pragma once
// Marks where a Jet SQL text holds bracketed names ("[...]", "]]" standing for "]") and
// literals ('...' and "...", the quote doubled inside), so that searches for keywords,
// parentheses and separators see only the statement's own text. An unclosed name or literal
// runs to the end of the text. Owns a copy of the text; anyone may use it.
#include <QString>
#include <QStringList>
#include <vector>

class SqlTextScanner {
public:
    explicit SqlTextScanner(QString text);

    const QString& text() const { return text_; }
    // True when position i lies inside a name or literal, its delimiters included.
    bool isQuoted(qsizetype i) const;
    // The first case-sensitive occurrence of word at or after from that lies wholly outside
    // names and literals; -1 when there is none.
    qsizetype find(QStringView word, qsizetype from = 0) const;
    // The ")" that closes the "(" at open, counting only parentheses outside names and
    // literals; -1 when open holds no such "(" or it is never closed.
    qsizetype matchingClose(qsizetype open) const;
    // Opening minus closing parentheses outside names and literals.
    int parenthesisBalance() const;
    // The text cut at every sep outside names and literals (no trimming; an empty text gives
    // one empty piece).
    QStringList split(QChar sep) const;

private:
    QString text_;
    std::vector<bool> quoted_;
};
