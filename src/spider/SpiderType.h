#pragma once
// One spider type: its name and its element references in drawing order. A reference is
// "table.field", "*.symbol" (any field holding that element, matched by SpiderFieldMatcher) or
// "[EMPTY_VALUE]" for a position left empty. Plain value type.
#include <QString>
#include <QStringList>

struct SpiderType {
    static QString emptyPosition() { return QStringLiteral("[EMPTY_VALUE]"); }
    // The table part of a reference matched by element symbol.
    static QString anyTable() { return QStringLiteral("*"); }

    QString name;
    QStringList elements;

    // "Table.Field" split at its first "."; a reference without "." is a field of any table.
    static QString tableOf(const QString& reference) {
        const qsizetype dot = reference.indexOf(u'.');
        return dot < 0 ? anyTable() : reference.left(dot);
    }
    static QString fieldOf(const QString& reference) {
        const qsizetype dot = reference.indexOf(u'.');
        return dot < 0 ? reference : reference.mid(dot + 1);
    }
};
