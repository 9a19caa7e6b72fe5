#pragma once
// One token of Jet SQL text. `text` is the source exactly; `value` is the decoded content of a
// bracketed name or a literal (escapes resolved), the text itself otherwise.
#include <QString>

struct JetSqlToken {
    enum class Kind {
        Whitespace,
        Word, // keyword or bare name
        Number,
        Name,        // [bracketed name]; "]]" inside stands for "]"
        Text,        // 'single-quoted literal'; "''" inside stands for "'"
        QuotedText,  // "double-quoted literal" (Jet's other string form); "\"\"" stands for "\""
        DateLiteral, // #date#
        Parameter,   // ?
        Semicolon,
        Punctuation, // operators, parentheses, commas, dots
    };
    Kind kind = Kind::Whitespace;
    QString text;
    QString value;
    int position = 0;

    bool isWord(const char* word) const {
        return kind == Kind::Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool isPunctuation(char c) const {
        return kind == Kind::Punctuation && text.size() == 1 && text[0] == QLatin1Char(c);
    }
};
