#pragma once
// The system clipboard as the clause editor reads and writes it.
#include "query/TextClipboard.h"

#include <QApplication>
#include <QClipboard>

class QtTextClipboard : public TextClipboard {
public:
    QString text() const override { return QApplication::clipboard()->text(); }
    void setText(const QString& text) override { QApplication::clipboard()->setText(text); }
};
