#pragma once
// Splits Jet SQL text into tokens, aware of [names], '...' and "..." literals and #dates#, so
// that translation never touches what stands inside a name or a literal. Stateless; anyone may
// call it.
#include "platform/JetSqlToken.h"

#include <vector>

class JetSqlTokenizer {
public:
    struct Result {
        std::vector<JetSqlToken> tokens;
        QString error; // empty when the text was tokenized completely
        bool ok() const { return error.isEmpty(); }
    };

    static Result tokenize(const QString& sql);
};
