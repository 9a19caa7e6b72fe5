#pragma once
// The system clipboard's text for controllers that copy or paste through TextClipboard.
#include "query/TextClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

class QtTextClipboard : public TextClipboard {
public:
    QString text() const override { return QGuiApplication::clipboard()->text(); }
    void setText(const QString& text) override { QGuiApplication::clipboard()->setText(text); }
};
