#include "query/ui/SqlClauseDialog.h"

#include "app/ui/DialogPlace.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

SqlClauseDialog::SqlClauseDialog(const QString& text, Dialogs& dialogs,
                                 const WindowGeometry* geometry, QWidget* parent)
    : QDialog(parent)
    , original_(text)
    , exchange_(text)
    , window_(dialogs, clipboard_, exchange_)
    , geometry_(geometry)
    , text_(new QPlainTextEdit) {
    setWindowTitle(SqlClauseWindow::caption());
    window_.open(text);
    text_->setPlainText(text);
    text_->setObjectName(QStringLiteral("txtSQL"));
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* bar = new QMenuBar;
    bar->addAction(QStringLiteral("&Save"), this, [this] { act([this] { window_.save(); }); });
    bar->addAction(QStringLiteral("&Open"), this, [this] { act([this] { window_.openFile(); }); });
    bar->addAction(QStringLiteral("&Copy"), this, [this] { act([this] { window_.copy(); }); });
    bar->addAction(QStringLiteral("&Paste"), this, [this] { act([this] { window_.paste(); }); });
    bar->addAction(QStringLiteral("&Replace"), this,
                   [this] { act([this] { window_.replace(); }); });

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const QString& caption, auto&& clicked) {
        auto* b = new QPushButton(caption);
        connect(b, &QPushButton::clicked, this, clicked);
        buttons->addWidget(b);
        return b;
    };
    button(QStringLiteral("Refresh"), [this] { act([this] { window_.refresh(); }); });
    buttons->addStretch();
    button(QStringLiteral("OK"), [this] {
        act([this] { window_.accept(); });
        accept();
    })->setDefault(true);
    button(QStringLiteral("Cancel"), [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);
    resize(560, 320);
    DialogPlace::restore(*this, geometry_, SqlClauseWindow::shortName());
}

std::optional<QString> SqlClauseDialog::edit(const QString& text, Dialogs& dialogs,
                                             const WindowGeometry* geometry, QWidget* parent) {
    SqlClauseDialog dialog(text, dialogs, geometry, parent);
    dialog.exec();
    return dialog.changedText();
}

std::optional<QString> SqlClauseDialog::changedText() const {
    return SqlClauseWindow::changedText(original_, exchange_);
}

void SqlClauseDialog::done(int result) {
    DialogPlace::save(*this, geometry_, SqlClauseWindow::shortName());
    QDialog::done(result);
}

void SqlClauseDialog::act(auto action) {
    window_.setText(text_->toPlainText());
    const QTextCursor cursor = text_->textCursor();
    window_.setSelection(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart());
    action();
    if (text_->toPlainText() != window_.text())
        text_->setPlainText(window_.text());
    QTextCursor shown = text_->textCursor();
    shown.setPosition(int(window_.selectionStart()));
    shown.setPosition(int(window_.selectionStart() + window_.selectionLength()),
                      QTextCursor::KeepAnchor);
    text_->setTextCursor(shown);
}
