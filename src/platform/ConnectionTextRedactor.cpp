#include "platform/ConnectionTextRedactor.h"

#include <QRegularExpression>
#include <QStringList>
#include <vector>

namespace {

struct Span {
    qsizetype start = 0;
    qsizetype length = 0;
};

// The user's password of a URI: "scheme://user:secret@".
const QRegularExpression& uriUserPassword() {
    static const QRegularExpression re(
        QStringLiteral(R"([A-Za-z][A-Za-z0-9+.\-]*://[^\s/@:?#]*:([^\s/@?#]*)@)"));
    return re;
}

// A URI's "?password=..." or "&password=..." parameter.
const QRegularExpression& uriParameter() {
    static const QRegularExpression re(QStringLiteral(R"([?&](?:ssl)?password=([^&#\s]*))"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

// A conninfo or provider pair: the key at the start or after a blank, ";", a quote or "(";
// the value quoted (libpq quotes with ', backslash escapes) or up to the next blank. With
// continuation, the words that follow an unquoted value and hold no "=" belong to it.
const QRegularExpression& pair(bool continuation) {
    static const QString head =
        QStringLiteral(R"((?:^|(?<=[\s;'"(]))(?:(?:ssl)?password|pwd)\s*=\s*)");
    static const QString quoted = QStringLiteral(R"('(?:[^'\\]|\\.)*'?|"(?:[^"\\]|\\.)*"?)");
    static const QRegularExpression plain(head + QStringLiteral("(") + quoted +
                                              QStringLiteral(R"(|[^\s'"][^\s]*|))"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression continued(
        head + QStringLiteral("(") + quoted +
            QStringLiteral(R"(|[^\s'"][^\s]*(?:\s+[^\s=]+(?=\s|$))*|))"),
        QRegularExpression::CaseInsensitiveOption);
    return continuation ? continued : plain;
}

// The password values in the text, by position, not overlapping.
std::vector<Span> secrets(const QString& text, bool continuation) {
    std::vector<Span> spans;
    const auto collect = [&](const QRegularExpression& re) {
        for (auto it = re.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            const Span s{m.capturedStart(1), m.capturedLength(1)};
            const bool inside = std::any_of(spans.begin(), spans.end(), [&](const Span& o) {
                return s.start < o.start + o.length && o.start < s.start + s.length;
            });
            if (!inside)
                spans.push_back(s);
        }
    };
    collect(uriUserPassword());
    collect(uriParameter());
    collect(pair(continuation));
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.start < b.start; });
    return spans;
}

QString masked(const QString& text, bool continuation) {
    QString out = text;
    const std::vector<Span> spans = secrets(text, continuation);
    for (auto s = spans.rbegin(); s != spans.rend(); ++s)
        out.replace(s->start, s->length, ConnectionTextRedactor::mask());
    return out;
}

} // namespace

QString ConnectionTextRedactor::redact(const QString& connectionText) {
    return masked(connectionText, true);
}

QString ConnectionTextRedactor::redactMessage(const QString& message,
                                              const QString& connectionText) {
    // A message is prose: a value there ends at its blank.
    QString out = masked(message, false);
    for (const Span& s : secrets(connectionText, true)) {
        QString secret = connectionText.mid(s.start, s.length);
        if (secret.size() >= 2 && (secret.startsWith(u'\'') || secret.startsWith(u'"')))
            secret = secret.mid(1, secret.size() - (secret.back() == secret.front() ? 2 : 1));
        if (secret.isEmpty() || secret == mask())
            continue;
        if (secret.size() >= 4)
            out.replace(secret, mask());
        // What a driver quotes back: the whole value or a word of it.
        QStringList pieces =
            secret.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        pieces.prepend(secret);
        for (const QString& piece : pieces)
            for (const QChar quote : {u'"', u'\''})
                out.replace(quote + piece + quote, quote + mask() + quote);
    }
    return out;
}

QString ConnectionTextRedactor::withoutMaskedPassword(const QString& connectionText) {
    QString out = connectionText;
    const QString m = QRegularExpression::escape(mask());
    // "user:***@" gives "user@"; a "password=***" pair or parameter goes with its separator.
    out.replace(QRegularExpression(QStringLiteral("(://[^\\s/@:?#]*):") + m + QStringLiteral("@")),
                QStringLiteral("\\1@"));
    const QString before = out;
    out.replace(QRegularExpression(QStringLiteral("([?&])(?:ssl)?password=") + m +
                                       QStringLiteral("(&|(?=#|\\s|$))"),
                                   QRegularExpression::CaseInsensitiveOption),
                QStringLiteral("\\1"));
    if (out != before) // a parameter went: no separator is left dangling
        out.replace(QRegularExpression(QStringLiteral("[?&]$")), QString());
    out.replace(QRegularExpression(QStringLiteral("(?:^|\\s+)(?:ssl)?password\\s*=\\s*") + m +
                                       QStringLiteral("(?=\\s|$)"),
                                   QRegularExpression::CaseInsensitiveOption),
                QString());
    return out.trimmed();
}
