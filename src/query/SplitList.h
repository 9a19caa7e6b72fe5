#pragma once
// Cuts a text at each separator, left to right, without trimming: "a,,b" gives "a", "" and "b".
// An empty text gives no pieces; an empty separator gives the text as its only piece.
#include <QString>
#include <QStringList>

QStringList SplitList(const QString& text, const QString& separator);
