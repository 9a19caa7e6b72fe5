#pragma once
// Refilling a picker from a fresh list without losing what the person had chosen.
#include <QComboBox>
#include <QStringList>

// The box holds items afterwards; its choice stays when the new list still has it.
inline void refillKeepingChoice(QComboBox* box, const QStringList& items) {
    const QString kept = box->currentText();
    box->clear();
    box->addItems(items);
    const int at = box->findText(kept);
    if (at >= 0)
        box->setCurrentIndex(at);
}
