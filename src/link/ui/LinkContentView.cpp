#include "link/ui/LinkContentView.h"

#include "link/ui/LinkController.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

LinkContentView::LinkContentView(LinkController& link, QWidget* parent)
    : QWidget(parent)
    , link_(link)
    , text_(new QPlainTextEdit(this)) {
    setWindowTitle(caption());
    auto* process = new QPushButton(QStringLiteral("Process"), this);
    process->setObjectName(QStringLiteral("process"));
    auto* send = new QPushButton(QStringLiteral("Set Link value..."), this);
    connect(process, &QPushButton::clicked, this, [this] { link_.process(text_->toPlainText()); });
    connect(send, &QPushButton::clicked, this, [this] { link_.setLinkValue(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(process);
    buttons->addWidget(send);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);
    connect(&link_, &LinkController::linkTextChanged, this, &LinkContentView::refresh);
    refresh();
}

void LinkContentView::refresh() {
    text_->setPlainText(link_.exchange().lastText());
}
