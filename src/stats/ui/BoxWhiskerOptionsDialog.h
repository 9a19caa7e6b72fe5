#pragma once
// "Box & Whisker Options": the box percentiles, the outlier coefficient and the two minimum
// class sizes of the shared settings ("&OK" stores them, "&Reset" puts the defaults into the
// boxes), the rule explained in words, and the user order of the classes.
#include "stats/BoxWhiskerSettings.h"

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QListWidget;

class BoxWhiskerOptionsDialog : public QDialog {
    Q_OBJECT
public:
    BoxWhiskerOptionsDialog(BoxWhiskerSettings& settings, QStringList& userOrder,
                            QWidget* parent = nullptr);

    static QString ruleText();
    // "&OK": the boxes into the settings when they read as numbers; false otherwise.
    bool store();
    // "&Reset".
    void reset();
    QLineEdit* box(const QString& name) const;
    QListWidget* orderList() const { return order_; }

private:
    void load(const BoxWhiskerSettings& values);

    BoxWhiskerSettings& settings_;
    QStringList& userOrder_;
    QLineEdit *upper_, *lower_, *coefficient_, *minClass_, *minFull_;
    QListWidget* order_;
};
