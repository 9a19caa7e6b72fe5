#include "grid/ui/GridButtonBar.h"

#include <QAction>
#include <QToolButton>
#include <QVBoxLayout>

GridButtonBar::GridButtonBar(QWidget* parent)
    : QWidget(parent)
    , layout_(new QVBoxLayout(this)) {
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(2);
    layout_->addStretch(1);
}

QToolButton* GridButtonBar::add(QAction* action) {
    auto* button = new QToolButton(this);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layout_->insertWidget(layout_->count() - 1, button);
    return button;
}

QList<QToolButton*> GridButtonBar::buttons() const {
    return findChildren<QToolButton*>(Qt::FindDirectChildrenOnly);
}
