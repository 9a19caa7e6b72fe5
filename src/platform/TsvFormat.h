#pragma once
// Writes fields of tab-separated text as TsvReader reads them back: a field holding a TAB or a
// line break, or beginning with '"', is put in quotes with each '"' doubled. Anyone may call it.
#include <QByteArray>
#include <QStringView>

class TsvFormat {
public:
    static bool needsQuotes(QStringView text);
    // Appends the field as UTF-8, quoted when it needs to be.
    static void appendField(QByteArray& out, QStringView text);
};
