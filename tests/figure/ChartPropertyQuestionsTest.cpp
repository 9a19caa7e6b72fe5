#include "figure/ChartPropertyQuestions.h"
#include "figure/FigureColorText.h"
#include "platform/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace {

// Each question changes the look only when every answer is sound; a refused one says why.
TEST(ChartPropertyQuestions, AnswersChangeTheLookOnlyWhenAllAreSound) {
    using Ask = std::function<bool(Dialogs&, FigureLook&)>;
    const Ask font = [](Dialogs& d, FigureLook& l) {
        return ChartPropertyQuestions::askFont(d, l);
    };
    const Ask plotArea = [](Dialogs& d, FigureLook& l) {
        return ChartPropertyQuestions::askArea(d, QStringLiteral("Plot Area Options"), l.plotArea);
    };
    const FigureLook before;
    FigureLook serif14 = before;
    serif14.fontFamily = QStringLiteral("Serif");
    serif14.fontSize = 14;
    FigureLook ownFont = before; // taken, though nothing changes
    FigureLook yellowPlot = before;
    yellowPlot.plotArea = {{255, 255, 0, 255}, {0, 0, 255, 255}, 2};
    const struct {
        const char* name;
        Ask ask;
        std::vector<const char*> answers; // nullptr: Cancel
        bool taken;
        FigureLook expected;
        const char* message; // nullptr: none
    } cases[] = {
        {"font", font, {" Serif ", "14"}, true, serif14, nullptr},
        {"font of the program's own size", font, {"", "0"}, true, ownFont, nullptr},
        {"font too small", font, {"Serif", "5"}, false, before, "Give font size from 6 to 72"},
        {"font too large", font, {"Serif", "73"}, false, before, "Give font size from 6 to 72"},
        {"font size not whole",
         font,
         {"Serif", "9.5"},
         false,
         before,
         "Give font size from 6 to 72"},
        {"font cancelled", font, {"Serif", nullptr}, false, before, nullptr},
        {"area", plotArea, {"#ffff00", "#0000FF", "2"}, true, yellowPlot, nullptr},
        {"area colour unreadable", plotArea, {"yellow"}, false, before, "Give colour as #rrggbb"},
        {"area border too wide",
         plotArea,
         {"#ffff00", "#0000ff", "11"},
         false,
         before,
         "Give border width from 0 to 10"},
        {"area cancelled", plotArea, {"#ffff00", nullptr}, false, before, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialogs dialogs;
        for (const char* a : c.answers)
            a ? dialogs.queueText(QString::fromLatin1(a)) : dialogs.queueCancel();
        FigureLook look = before;
        EXPECT_EQ(c.ask(dialogs, look), c.taken);
        EXPECT_EQ(look, c.expected);
        EXPECT_EQ(dialogs.texts().contains(QString::fromLatin1(c.message ? c.message : "")),
                  c.message != nullptr)
            << dialogs.texts().join(u'|').toStdString();
    }
}

TEST(ChartPropertyQuestions, TitlesAreTakenTogetherOrNotAtAll) {
    QString header = QStringLiteral("Cu"), x = QStringLiteral("class"), y;
    ScriptedDialogs dialogs;
    dialogs.queueText(QStringLiteral("Copper"));
    dialogs.queueText(QStringLiteral("Rock"));
    dialogs.queueCancel();
    EXPECT_FALSE(ChartPropertyQuestions::askTitles(dialogs, header, x, y));
    EXPECT_EQ(std::tuple(header, x, y), std::tuple(QString("Cu"), QString("class"), QString()));
    for (const char* a : {" Copper ", "Rock", "ppm"})
        dialogs.queueText(QString::fromLatin1(a));
    EXPECT_TRUE(ChartPropertyQuestions::askTitles(dialogs, header, x, y));
    EXPECT_EQ(std::tuple(header, x, y),
              std::tuple(QString("Copper"), QString("Rock"), QString("ppm")));
}

TEST(FigureColorText, ReadsSixHexDigitsAfterAHashAndWritesThemBack) {
    EXPECT_EQ(FigureColorText::fromText(QStringLiteral(" #0a80Ff ")),
              std::optional(FigureColor{10, 128, 255}));
    for (const char* bad :
         {"", "#", "0a80ff", "#0a80f", "#0a80ff0", "#0g80ff", "#-a80ff", "#+a80ff", "#0x80ff"})
        EXPECT_FALSE(FigureColorText::fromText(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(FigureColorText::toText({10, 128, 255}), QStringLiteral("#0a80ff"));
}

} // namespace
