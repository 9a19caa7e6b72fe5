// The fit window reached as a person reaches it: the frame's diagram over a real SQLite file,
// "Trend&Line" -> "&Create" -> "Fit..." and "&Fit Linear"; the accepted curve drawn on the
// figure (pixels of the trendline's colour in the rendered PNG).
#include "stats/fit/ui/FitView.h"
#include "app/FrameSession.h"
#include "app/ui/FrameCommands.h"
#include "automation/CommandInterpreter.h"
#include "diagram/objects/TrendlineEquation.h"
#include "diagram/ui/DiagramObjectMenus.h"
#include "diagram/ui/DiagramView.h"
#include "figure/ui/FigureExporter.h"
#include "support/TestPaths.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

class FitViewTest : public FrameSession {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(openFrame(
            {"CREATE TABLE Geo (SampleNo TEXT PRIMARY KEY, Cu DOUBLE, Zn DOUBLE)",
             "INSERT INTO Geo VALUES ('G1', 0.5, 1.8), ('G2', 1.1, 2.9), ('G3', 1.9, 4.2), "
             "('G4', 3.2, 7.5), ('G5', 4.1, 9.8), ('G6', 5.3, 15.1), ('G7', 6.0, 19.7), "
             "('G8', 7.4, 31.0), ('G9', 8.2, 39.5), ('G10', 9.7, 65.2)"}));
        view = frame.openDiagram();
        ASSERT_NE(view, nullptr);
        const QList<QComboBox*> combos = view->findChildren<QComboBox*>();
        const QStringList boxes{"Geo", "Cu", "Geo", "Zn"};
        for (int i = 0; i < boxes.size(); ++i)
            combos[i + 1]->setCurrentText(boxes[i]);
        ASSERT_TRUE(view->draw()) << dialogs.texts().join('\n').toStdString();
    }

    QAction* createItem(const QString& text) {
        for (QMenu* menu : view->findChildren<QMenu*>())
            if (menu->title() == QLatin1String("&Create"))
                for (QAction* a : menu->actions())
                    if (a->text() == text)
                        return a;
        ADD_FAILURE() << "no item " << text.toStdString();
        return new QAction(view);
    }
    static QPushButton* button(QWidget* w, const QString& text) {
        for (QPushButton* b : w->findChildren<QPushButton*>())
            if (b->text() == text)
                return b;
        ADD_FAILURE() << "no button " << text.toStdString();
        return new QPushButton(w);
    }
    // Pixels in the trendline's dark red in the diagram's figure rendered as PNG.
    int trendlinePixels() {
        const QString png = dir.filePath(QStringLiteral("fit.png"));
        EXPECT_TRUE(FigureExporter::save(view->controller().figure(), png, QSize(800, 600)));
        const QImage image(png);
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == qRgb(128, 0, 0))
                    ++n;
        return n;
    }

    DiagramView* view = nullptr;
};

TEST_F(FitViewTest, FitAcceptedInTheWindowIsDrawnAsATrendlineWithLabels) {
    EXPECT_EQ(trendlinePixels(), 0);
    createItem(QStringLiteral("Fit..."))->trigger();
    auto* fit = view->findChild<FitView*>();
    ASSERT_NE(fit, nullptr);
    EXPECT_TRUE(fit->isVisible());
    EXPECT_EQ(fit->controller().points().size(), 10u);

    fit->findChild<QRadioButton*>(QStringLiteral("optTLType3"))->setChecked(true);
    button(fit, QStringLiteral("Fit"))->click();
    const Sheet& results = fit->controller().results();
    // nls(y ~ a*exp(b*x)) in R: a = 2.5512479325, b = 0.334539292035, R^2 = 0.99902755325;
    // ours agrees to 5e-11 relative, enough to round b's tenth digit up.
    EXPECT_EQ(results.text(1, 2), QStringLiteral("y=2.551247932*EXP(0.3345392921*x)"));
    EXPECT_EQ(results.text(2, 2), QStringLiteral("0.9990275533"));

    button(fit, QStringLiteral("Accept"))->click();
    const UserObjects& objects = view->objectMenus().controller().objects;
    ASSERT_EQ(objects.trendlines.size(), 1u);
    EXPECT_EQ(objects.trendlines[0].name, QStringLiteral("Trendline 1"));
    EXPECT_DOUBLE_EQ(objects.trendlines[0].xMin, 0.5);
    EXPECT_DOUBLE_EQ(objects.trendlines[0].xMax, 9.7);
    QStringList labels;
    for (const TextLabel& t : objects.texts)
        labels << t.text;
    EXPECT_EQ(labels, (QStringList{"y=2.551247932*EXP(0.3345392921*x)", "R^2=0.9990275533"}));
    EXPECT_GT(trendlinePixels(), 200);
    const QString out = testpaths::binaryDir() + QStringLiteral("/test-output");
    QDir().mkpath(out);
    EXPECT_TRUE(fit->grab().toImage().save(out + QStringLiteral("/fit-window.png")));
    EXPECT_TRUE(view->grab().toImage().save(out + QStringLiteral("/diagram-with-fit.png")));

    // The order control refuses what three rows cannot carry.
    QApplication::clipboard()->setText(QStringLiteral("X\tY\r\n1\t2\r\n2\t3\r\n3\t5\r\n"));
    button(fit, QStringLiteral("Paste data"))->click();
    auto* order = fit->findChild<QSpinBox*>(QStringLiteral("txtPolyDeg"));
    order->setValue(3);
    EXPECT_EQ(order->value(), 2);
    EXPECT_EQ(dialogs.texts().last(),
              QStringLiteral("2 degree is the highest degree, which can be fitted with current "
                             "data. (only 3 rows data)"));
}

TEST_F(FitViewTest, FitLinearMakesTheNextTrendlineAtOnce) {
    // As the command line LINEARFIT runs it: the window's "&Fit Linear".
    ASSERT_TRUE(frame.commands()->interpreter().execute(QStringLiteral("LINEARFIT")).ok);
    const UserObjects& objects = view->objectMenus().controller().objects;
    ASSERT_EQ(objects.trendlines.size(), 1u);
    // lm(y ~ x): slope 6.0241714599, intercept -8.8845727198, R^2 0.85923627243.
    const auto line = TrendlineEquation::parse(objects.trendlines[0].equation);
    ASSERT_TRUE(line);
    EXPECT_NEAR(line->valueAt(0), -8.8845727198027884, 1e-9);
    EXPECT_NEAR(line->valueAt(1) - line->valueAt(0), 6.0241714598740073, 1e-9);
    ASSERT_EQ(objects.texts.size(), 2u);
    EXPECT_EQ(objects.texts[1].text, QStringLiteral("R^2=0.8592362724"));
    EXPECT_GT(trendlinePixels(), 200);

    // A running mean of X over two points becomes an "X=" line in Y through the means.
    FitWindow fit(dialogs, frame.status());
    fit.setDiagram(&view->controller());
    ASSERT_TRUE(fit.loadFromDiagram());
    fit.request.model = CurveModel::MovingAverageX;
    fit.request.period = 2;
    ASSERT_TRUE(fit.fit());
    ASSERT_TRUE(fit.accept());
    ASSERT_EQ(objects.trendlines.size(), 2u);
    EXPECT_EQ(objects.trendlines[1].name, QStringLiteral("Moving average 2 (period 2)"));
    const auto running = TrendlineEquation::parse(objects.trendlines[1].equation);
    ASSERT_TRUE(running && running->isXOfY());
    EXPECT_DOUBLE_EQ(running->valueAt(2.9), 0.8);
    EXPECT_DOUBLE_EQ(running->valueAt(65.2), 8.95);
}

} // namespace
