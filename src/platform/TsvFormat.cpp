#include "platform/TsvFormat.h"

bool TsvFormat::needsQuotes(QStringView text) {
    if (text.startsWith(u'"')) {
        return true;
    }
    for (const QChar c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r') {
            return true;
        }
    }
    return false;
}

void TsvFormat::appendField(QByteArray& out, QStringView text) {
    if (!needsQuotes(text)) {
        out.append(text.toUtf8());
        return;
    }
    QByteArray utf8 = text.toUtf8();
    out.append('"');
    out.append(utf8.replace("\"", "\"\""));
    out.append('"');
}
