#include "query/SqlClauseWindow.h"

#include <QFile>
#include <QSaveFile>

SqlClauseWindow::SqlClauseWindow(Dialogs& dialogs, TextClipboard& clipboard, QString& exchangeText)
    : dialogs_(dialogs)
    , clipboard_(clipboard)
    , exchange_(exchangeText) {}

void SqlClauseWindow::open(const QString& text) {
    opening_ = text;
    setText(text);
    open_ = true;
}

void SqlClauseWindow::setText(const QString& text) {
    text_ = text;
    setSelection(selStart_, selLength_);
}

void SqlClauseWindow::setSelection(qsizetype start, qsizetype length) {
    selStart_ = std::clamp<qsizetype>(start, 0, text_.size());
    selLength_ = std::clamp<qsizetype>(length, 0, text_.size() - selStart_);
}

void SqlClauseWindow::refresh() {
    setText(opening_);
}

void SqlClauseWindow::accept() {
    exchange_ = text_;
    open_ = false;
}

void SqlClauseWindow::cancel() {
    open_ = false;
}

bool SqlClauseWindow::save() {
    const auto path = dialogs_.saveFile(QStringLiteral("Save"), fileFilter(), {});
    if (!path || path->isEmpty())
        return false;
    QSaveFile file(*path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text_.toUtf8()) < 0 || !file.commit()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Cannot write file ") + *path);
        return false;
    }
    return true;
}

bool SqlClauseWindow::openFile() {
    const auto path = dialogs_.openFile(QStringLiteral("Open"), fileFilter(), {});
    if (!path || path->isEmpty())
        return false;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Cannot read file ") + *path);
        return false;
    }
    setText(QString::fromUtf8(file.readAll()));
    return true;
}

void SqlClauseWindow::copy() {
    clipboard_.setText(selLength_ > 0 ? text_.mid(selStart_, selLength_) : text_);
}

void SqlClauseWindow::paste() {
    const QString pasted = clipboard_.text();
    text_.replace(selStart_, selLength_, pasted);
    setSelection(selStart_ + pasted.size(), 0);
}

bool SqlClauseWindow::replace() {
    const auto search =
        dialogs_.input(Dialogs::title(), QStringLiteral("Give text to be searched for"), {});
    if (!search || search->isEmpty())
        return false;
    // Cancelling the second box must not read as "replace with nothing".
    const auto replacement =
        dialogs_.input(Dialogs::title(), QStringLiteral("Give replacing string"), {});
    if (!replacement)
        return false;
    QString edited = text_;
    edited.replace(*search, *replacement, Qt::CaseSensitive);
    setText(edited);
    return true;
}

std::optional<QString> SqlClauseWindow::changedText(const QString& original,
                                                    const QString& exchange) {
    if (exchange.isEmpty() || exchange == original)
        return std::nullopt;
    return exchange;
}
