#pragma once
// Refilling a picker from a fresh list without losing what the person had chosen, with every
// name readable in full however narrow the box.
#include <QAbstractItemView>
#include <QComboBox>
#include <QStringList>

// Each item and the box itself carry the full name as a tooltip, and the drop-down list is wide
// enough for the longest name.
inline void showFullNames(QComboBox* box) {
    int widest = 0;
    const QFontMetrics metrics(box->view()->font());
    for (int i = 0; i < box->count(); ++i) {
        box->setItemData(i, box->itemText(i), Qt::ToolTipRole);
        widest = std::max(widest, metrics.horizontalAdvance(box->itemText(i)));
    }
    box->view()->setMinimumWidth(widest + 40); // the margins and a scroll bar
    box->view()->setTextElideMode(Qt::ElideNone);
    box->setToolTip(box->currentText());
    if (!box->property("showsFullNames").toBool()) {
        box->setProperty("showsFullNames", true);
        QObject::connect(box, &QComboBox::currentTextChanged, box,
                         [box](const QString& text) { box->setToolTip(text); });
    }
}

// The box holds items afterwards; its choice stays when the new list still has it.
inline void refillKeepingChoice(QComboBox* box, const QStringList& items) {
    const QString kept = box->currentText();
    box->clear();
    box->addItems(items);
    const int at = box->findText(kept);
    if (at >= 0)
        box->setCurrentIndex(at);
    showFullNames(box);
}
