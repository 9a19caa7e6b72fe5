#include "figure/ChartPropertyQuestions.h"

#include "figure/FigureColorText.h"
#include "platform/Dialogs.h"
#include "platform/NumberText.h"

#include <cmath>

namespace {
// A whole number from lo to hi; nullopt after the message that says so (or on Cancel).
std::optional<int> askWhole(Dialogs& dialogs, const QString& caption, const QString& prompt,
                            int now, int lo, int hi, const QString& refusal) {
    const auto answer = dialogs.input(caption, prompt, QString::number(now));
    if (!answer)
        return std::nullopt;
    const auto n = NumberText::fromText(QStringView(answer->trimmed()));
    if (!n || *n != std::floor(*n) || *n < lo || *n > hi) {
        dialogs.message(MessageKind::Exclamation, refusal);
        return std::nullopt;
    }
    return int(*n);
}

std::optional<FigureColor> askColor(Dialogs& dialogs, const QString& caption, const QString& prompt,
                                    FigureColor now) {
    const auto answer = dialogs.input(caption, prompt, FigureColorText::toText(now));
    if (!answer)
        return std::nullopt;
    const auto color = FigureColorText::fromText(*answer);
    if (!color)
        dialogs.message(MessageKind::Exclamation, QStringLiteral("Give colour as #rrggbb"));
    return color;
}
} // namespace

bool ChartPropertyQuestions::askFont(Dialogs& dialogs, FigureLook& look) {
    const QString caption = QStringLiteral("Font");
    const auto family = dialogs.input(
        caption, QStringLiteral("Give font name (empty: the program's own)"), look.fontFamily);
    if (!family)
        return false;
    const QString sizes = QStringLiteral("%1 to %2").arg(smallestFont).arg(largestFont);
    const auto size =
        askWhole(dialogs, caption,
                 QStringLiteral("Give font size in points (") + sizes +
                     QStringLiteral(", 0: the program's own)"),
                 look.fontSize, 0, largestFont, QStringLiteral("Give font size from ") + sizes);
    if (!size)
        return false;
    if (*size != 0 && *size < smallestFont) {
        dialogs.message(MessageKind::Exclamation, QStringLiteral("Give font size from ") + sizes);
        return false;
    }
    look.fontFamily = family->trimmed();
    look.fontSize = *size;
    return true;
}

bool ChartPropertyQuestions::askArea(Dialogs& dialogs, const QString& caption,
                                     FigureLook::Area& area) {
    const auto fill =
        askColor(dialogs, caption, QStringLiteral("Give fill colour as #rrggbb"), area.fill);
    if (!fill)
        return false;
    const auto border =
        askColor(dialogs, caption, QStringLiteral("Give border colour as #rrggbb"), area.border);
    if (!border)
        return false;
    const QString widths = QStringLiteral("0 to %1").arg(widestBorder);
    const auto width = askWhole(
        dialogs, caption,
        QStringLiteral("Give border width in pixels (") + widths + QStringLiteral(", 0: none)"),
        area.borderWidth, 0, widestBorder, QStringLiteral("Give border width from ") + widths);
    if (!width)
        return false;
    area = {*fill, *border, *width};
    return true;
}

bool ChartPropertyQuestions::askTitles(Dialogs& dialogs, QString& header, QString& xTitle,
                                       QString& yTitle) {
    const QString caption = QStringLiteral("Chart Properties");
    const auto h = dialogs.input(caption, QStringLiteral("Give header"), header);
    if (!h)
        return false;
    const auto x = dialogs.input(caption, QStringLiteral("Give X axis title"), xTitle);
    if (!x)
        return false;
    const auto y = dialogs.input(caption, QStringLiteral("Give Y axis title"), yTitle);
    if (!y)
        return false;
    header = h->trimmed();
    xTitle = x->trimmed();
    yTitle = y->trimmed();
    return true;
}
