#include "app/ui/SplashWindow.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

SplashWindow::SplashWindow()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
    , action_(new QLabel(this))
    , owner_(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("QUV Data"), this);
    QFont big = name->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    name->setFont(big);
    layout->addWidget(name);
    layout->addWidget(new QLabel(QStringLiteral("QUV Data for analysing data in databases"), this));
    layout->addWidget(owner_);
    layout->addWidget(action_);
    setMinimumWidth(420);
}

void SplashWindow::showAction(const QString& text) {
    if (!isVisible())
        show(); // the first status text of start-up, after the single-instance question
    action_->setText(text);
    repaint();
    QApplication::processEvents();
}

void SplashWindow::setOwnerLine(const QString& text) {
    owner_->setText(text);
}
