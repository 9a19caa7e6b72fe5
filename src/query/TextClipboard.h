#pragma once
// The clipboard as the clause editor uses it: plain text in and out. The Qt view passes
// QClipboard; tests keep the text in memory.
#include <QString>

class TextClipboard {
public:
    virtual ~TextClipboard() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
};
