#pragma once
// The frame "Use combined filters:": filter A and filter B from the filter list, AND or OR, the
// resulting filter text and the buttons that store f_Combined for the diagram. Everything it
// does goes through FilterCombiner.
#include "filter/FilterCombiner.h"

#include <QWidget>

class DiagramFilterTarget;
class QComboBox;
class QLineEdit;
class QRadioButton;

class CombinedFilterPanel : public QWidget {
    Q_OBJECT
public:
    CombinedFilterPanel(FilterCombiner& combiner, const QStringList& filters,
                        DiagramFilterTarget* diagram, QWidget* parent = nullptr);

signals:
    void combined();
    void closeRequested();

private:
    void takeInput();
    bool combine();

    FilterCombiner& combiner_;
    DiagramFilterTarget* diagram_;
    QComboBox* filterA_;
    QComboBox* filterB_;
    QRadioButton* and_;
    QRadioButton* or_;
    QLineEdit* result_;
};
