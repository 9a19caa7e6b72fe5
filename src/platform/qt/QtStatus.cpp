#include "platform/qt/QtStatus.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace {
constexpr int readyShownMs = 3000;
constexpr int closingTextShownMs = 15000;
} // namespace

QtStatus::QtStatus(QStatusBar* bar)
    : QObject(bar)
    , bar_(bar)
    , text_(new QLabel(bar))
    , progress_(new QProgressBar(bar))
    , abortButton_(new QPushButton(QStringLiteral("Abort"), bar))
    , readyTimer_(new QTimer(this))
    , idleFinish_(new QTimer(this)) {
    progress_->setRange(0, 100);
    progress_->setMaximumWidth(200);
    bar_->addWidget(text_, 1);
    bar_->addPermanentWidget(progress_);
    bar_->addPermanentWidget(abortButton_);
    readyTimer_->setSingleShot(true);
    connect(readyTimer_, &QTimer::timeout, text_, &QLabel::clear);
    connect(abortButton_, &QPushButton::clicked, this, [this] { abort_ = true; });
    abortButton_->setEnabled(false);
    progress_->setTextVisible(false);
    idleFinish_->setSingleShot(true);
    idleFinish_->setInterval(0);
    connect(idleFinish_, &QTimer::timeout, this, [this] {
        if (busy_)
            showStatus(QString(), 0);
    });
}

void QtStatus::showStatus(const QString& text, int progress) {
    bar_->show();
    if (progress != 0) {
        if (!busy_) {
            QApplication::setOverrideCursor(Qt::BusyCursor);
            busy_ = true;
            abortButton_->setEnabled(true);
            progress_->setTextVisible(true);
        }
        idleFinish_->start();
        progress_->setValue(qBound(0, progress, 100));
        if (!text.isEmpty()) {
            readyTimer_->stop();
            text_->setText(text);
            text_->repaint();
        }
        return;
    }
    idleFinish_->stop();
    progress_->setValue(progress_->minimum());
    abortButton_->setEnabled(false);
    progress_->setTextVisible(false);
    if (busy_) {
        QApplication::restoreOverrideCursor();
        busy_ = false;
    }
    // A closing text (what was written, and where) stays longer than "Ready!".
    text_->setText(text.isEmpty() ? readyText() : text);
    readyTimer_->start(text.isEmpty() ? readyShownMs : closingTextShownMs);
}

bool QtStatus::abortRequested() {
    // The work polls from inside itself: the events it lets run must not end its progress.
    const bool finishing = idleFinish_->isActive();
    idleFinish_->stop();
    QApplication::processEvents();
    if (finishing && busy_)
        idleFinish_->start();
    return abort_;
}
