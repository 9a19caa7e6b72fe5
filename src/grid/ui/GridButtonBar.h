#pragma once
// The grid's right-hand tool buttons ("More", "Sync", "Cols", ...): a narrow column of buttons,
// each showing an action of the window, its tooltip the action's longer name.
#include <QWidget>

class QAction;
class QToolButton;
class QVBoxLayout;

class GridButtonBar : public QWidget {
    Q_OBJECT
public:
    explicit GridButtonBar(QWidget* parent = nullptr);

    QToolButton* add(QAction* action);
    QList<QToolButton*> buttons() const;

private:
    QVBoxLayout* layout_;
};
