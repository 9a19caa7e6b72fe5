#pragma once
// How classifier values become classes: 0 every distinct value (as text) is a class; 1 all
// numbers share the class "<Numeric>"; 2 numbers are distributed into value ranges. A diagram
// window holds one, 0 when it opens. The input box texts live here so that the window and its
// tests agree on them.
#include <QString>
#include <optional>

enum class ClassifyMode { AsText = 0, GroupNumbers = 1, NumberRanges = 2 };

class ClassifyOption {
public:
    ClassifyMode mode() const { return mode_; }
    void setMode(ClassifyMode mode) { mode_ = mode; }

    // "Classify Option = 0"
    QString menuCaption() const;
    static QString inputTitle() { return QStringLiteral("QUV Data Classify Options"); }
    static QString inputPrompt(const QString& classTable, const QString& classField);
    // Takes the answer when it is a number equal to 0, 1 or 2; false (unchanged) otherwise.
    bool accept(const QString& answer);

private:
    ClassifyMode mode_ = ClassifyMode::AsText;
};
