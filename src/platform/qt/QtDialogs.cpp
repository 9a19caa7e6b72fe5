#include "platform/qt/QtDialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <cstdio>

QString QtDialogs::toQtFilter(const QString& filter) {
    // The design's filter is pairs of "caption|patterns"; Qt wants the captions, which carry
    // the patterns in parentheses, joined by ";;".
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString caption = parts[i];
        const QString patterns = i + 1 < parts.size() ? parts[i + 1] : QString();
        caption.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        if (!caption.contains(u'(') && !patterns.isEmpty())
            caption += QStringLiteral(" (") + QString(patterns).replace(u';', u' ') + u')';
        if (!caption.isEmpty())
            out << caption;
    }
    return out.join(QStringLiteral(";;"));
}

void QtDialogs::message(MessageKind kind, const QString& text) {
    // Kept on standard error too, so that a run started from a terminal or a script keeps
    // what the boxes said.
    std::fprintf(stderr, "%s\n", qUtf8Printable(text));
    switch (kind) {
    case MessageKind::Information:
        QMessageBox::information(parent_, title(), text);
        break;
    case MessageKind::Exclamation:
        QMessageBox::warning(parent_, title(), text);
        break;
    case MessageKind::Critical:
        QMessageBox::critical(parent_, title(), text);
        break;
    }
}

Answer QtDialogs::question(const QString& text, QuestionButtons buttons) {
    QMessageBox::StandardButtons shown = QMessageBox::Yes | QMessageBox::No;
    if (buttons == QuestionButtons::YesNoCancel)
        shown |= QMessageBox::Cancel;
    switch (QMessageBox::question(parent_, title(), text, shown)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return buttons == QuestionButtons::YesNoCancel ? Answer::Cancel : Answer::No;
    }
}

std::optional<QString> QtDialogs::input(const QString& boxTitle, const QString& prompt,
                                        const QString& defaultText) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent_, boxTitle, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

std::optional<QString> QtDialogs::openFile(const QString& caption, const QString& filter,
                                           const QString& folder) {
    const QString path = QFileDialog::getOpenFileName(parent_, caption, folder, toQtFilter(filter));
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

std::optional<QString> QtDialogs::saveFile(const QString& caption, const QString& filter,
                                           const QString& suggestedPath) {
    const QString path =
        QFileDialog::getSaveFileName(parent_, caption, suggestedPath, toQtFilter(filter));
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}
