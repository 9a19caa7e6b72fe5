#include "platform/qt/QtStatus.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace {
constexpr int readyShownMs = 3000;
}

QtStatus::QtStatus(QStatusBar* bar)
    : QObject(bar)
    , bar_(bar)
    , text_(new QLabel(bar))
    , progress_(new QProgressBar(bar))
    , abortButton_(new QPushButton(QStringLiteral("Abort"), bar))
    , readyTimer_(new QTimer(this)) {
    progress_->setRange(0, 100);
    progress_->setMaximumWidth(200);
    bar_->addWidget(text_, 1);
    bar_->addPermanentWidget(progress_);
    bar_->addPermanentWidget(abortButton_);
    readyTimer_->setSingleShot(true);
    connect(readyTimer_, &QTimer::timeout, text_, &QLabel::clear);
    connect(abortButton_, &QPushButton::clicked, this, [this] { abort_ = true; });
}

void QtStatus::showStatus(const QString& text, int progress) {
    bar_->show();
    if (progress != 0) {
        if (!busy_) {
            QApplication::setOverrideCursor(Qt::BusyCursor);
            busy_ = true;
        }
        progress_->setValue(qBound(0, progress, 100));
        if (!text.isEmpty()) {
            readyTimer_->stop();
            text_->setText(text);
            text_->repaint();
        }
        return;
    }
    progress_->setValue(progress_->minimum());
    if (busy_) {
        QApplication::restoreOverrideCursor();
        busy_ = false;
    }
    text_->setText(readyText());
    readyTimer_->start(readyShownMs);
}

bool QtStatus::abortRequested() {
    QApplication::processEvents();
    return abort_;
}
