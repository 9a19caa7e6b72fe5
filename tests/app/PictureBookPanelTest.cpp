// The PictureBook in the running frame on the offscreen platform: figures added with the panel's
// Add button and through the interpreter, saved and opened from the menu, drawn by a double
// click, the slide show's countdown and its stop from the status bar, the report as PDF and
// HTML, spider and distribution figures, and the question about an unsaved book when the frame
// closes.
#include "automation/ui/PictureBookPanel.h"
#include "app/FrameSession.h"
#include "app/ui/FrameCommands.h"
#include "app/ui/FramePictureBook.h"
#include "automation/CommandInterpreter.h"
#include "automation/MacroRecorder.h"
#include "automation/ui/BookReport.h"
#include "diagram/ui/DiagramView.h"
#include "figure/ui/FigureExporter.h"
#include "spider/ui/SpiderView.h"
#include "stats/BoxPlotWindow.h"
#include "stats/ui/BoxPlotView.h"
#include "stats/ui/DistributionView.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>

namespace {

void mouse(QWidget* w, QEvent::Type type, QPoint at = {2, 2}) {
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

class PictureBookPanelTest : public FrameSession {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(openFrame(
            {"CREATE TABLE Chem (SampleNo TEXT PRIMARY KEY, SiO2 REAL, MgO REAL, Rock TEXT)",
             "INSERT INTO Chem VALUES ('S1', 49, 8, 'Basalt'), ('S2', 72, 0.5, 'Granite'),"
             " ('S3', 48, 9, 'Basalt')",
             "CREATE TABLE Trace (SampleNo TEXT PRIMARY KEY, La REAL, Ce REAL, Nd REAL, Sm REAL,"
             " Eu REAL, Yb REAL)",
             "INSERT INTO Trace VALUES ('S1', 30, 65, 28, 6, 1.8, 2.2),"
             " ('S2', 45, 90, 35, 7, 1.1, 3.5), ('S3', 12, 25, 14, 3.5, 1.2, 2)"}));
        book = frame.pictureBook();
        ASSERT_NE(book, nullptr);
    }
    void menu(const char* caption) {
        for (QAction* a : frame.findChildren<QAction*>())
            if (a->text() == QString::fromUtf8(caption)) {
                a->trigger();
                return;
            }
        FAIL() << "no menu item " << caption;
    }
    CommandResult run(const QString& line) { return frame.commands()->interpreter().execute(line); }
    QImage picture() const {
        DiagramView* d = frame.currentDiagram();
        return d ? FigureExporter::image(d->controller().figure(), {400, 300}) : QImage();
    }
    QString statusText() const { return frame.statusBar()->findChild<QLabel*>()->text(); }
    QListWidget* list() const { return book->panel().list(); }

    FramePictureBook* book = nullptr;
};

TEST_F(PictureBookPanelTest, AddSaveOpenAndDrawThroughTheMenusAndThePanel) {
    frame.commands()->recorder().setRecording(true);
    ASSERT_TRUE(run("VIEW XY").ok);
    ASSERT_TRUE(run("DRAW2 XY;Chem;SiO2;Chem;MgO;;;Chem;Rock;").ok);
    const QImage first = picture();
    book->panel().findChild<QPushButton*>(QStringLiteral("cmdAdd"))->click();
    ASSERT_TRUE(run("DRAW2 XY;Chem;MgO;Chem;SiO2;;;;;").ok);
    const QImage second = picture();
    ASSERT_TRUE(run("ADDTOPICTUREBOOK").ok);
    ASSERT_EQ(list()->count(), 2);
    EXPECT_EQ(list()->item(0)->text(), "MgO vs. SiO2");
    EXPECT_TRUE(frame.commands()->recorder().lines().contains("PBADD"));

    const QString bok = dir.filePath("panel.bok");
    dialogs.queueText(bok);
    menu("Save PictureBook &As...");
    ASSERT_TRUE(QFile::exists(bok));
    menu("&New and Clear");
    EXPECT_EQ(list()->count(), 0);
    book->dock()->hide();
    dialogs.queueText(bok);
    menu("&Open PictureBook...");
    EXPECT_TRUE(book->dock()->isVisible());
    ASSERT_EQ(list()->count(), 2);
    EXPECT_TRUE(frame.commands()->recorder().lines().contains("PBOPEN " + bok));

    const QRect second_item = list()->visualItemRect(list()->item(1));
    mouse(list()->viewport(), QEvent::MouseButtonPress, second_item.center());
    mouse(list()->viewport(), QEvent::MouseButtonRelease, second_item.center());
    mouse(list()->viewport(), QEvent::MouseButtonDblClick, second_item.center());
    EXPECT_EQ(picture(), second);
    ASSERT_TRUE(run("PBPREVIOUS").ok);
    EXPECT_EQ(picture(), first);
    EXPECT_EQ(list()->currentRow(), 0);

    // The report: one PDF page and one PNG per figure, the HTML naming them with captions.
    const QString pdf = dir.filePath("report.pdf");
    ASSERT_TRUE(book->writeReport(pdf));
    QFile pdfFile(pdf);
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    const QByteArray pdfBytes = pdfFile.readAll();
    EXPECT_TRUE(pdfBytes.startsWith("%PDF"));
    EXPECT_EQ(pdfBytes.count("/Type /Page\n") + pdfBytes.count("/Type /Page\r") +
                  pdfBytes.count("/Type /Page "),
              2);
    QFile html(BookReport::htmlPathFor(pdf));
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(html.readAll());
    EXPECT_TRUE(page.contains("<img src=\"report_2.png\""));
    EXPECT_TRUE(page.contains("<figcaption>SiO2 vs. MgO</figcaption>"));
    EXPECT_EQ(QImage(dir.filePath("report_1.png")).size(), QSize(1000, 750));
}

TEST_F(PictureBookPanelTest, ABoxPlotIsAddedFromTheActiveWindowAndDrawnAgain) {
    auto* view = qobject_cast<BoxPlotView*>(frame.openBoxPlot());
    ASSERT_NE(view, nullptr);
    BoxPlotWindow& box = view->controller();
    box.statTable = box.classTable = "Chem";
    box.statField = "SiO2";
    box.classField = "Rock";
    box.lowerText = "10";
    box.upperText = "90";
    ASSERT_TRUE(box.draw());
    view->showController();
    const QImage drawn = FigureExporter::image(box.figure(), {400, 300});
    book->panel().findChild<QPushButton*>(QStringLiteral("cmdAdd"))->click();
    ASSERT_EQ(list()->count(), 1);
    EXPECT_EQ(list()->item(0)->text(), "Box&Whisker: SiO2");

    box.statField = "MgO";
    box.lowerText = box.upperText = "";
    ASSERT_TRUE(box.draw());
    book->panel().findChild<QPushButton*>(QStringLiteral("cmdDraw"))->click();
    EXPECT_EQ(box.statField, "SiO2");
    EXPECT_EQ(std::pair(box.lowerText, box.upperText), std::pair(QString("10"), QString("90")));
    EXPECT_EQ(FigureExporter::image(box.figure(), {400, 300}), drawn);
}

// Spider and distribution figures: added with the panel's Add button from the active window,
// saved, opened again as the most recent book by PBOPEN 1 and drawn by PBNEXT into their
// windows, which show the same picture and settings again.
TEST_F(PictureBookPanelTest, SpiderAndDistributionFiguresComeBackFromARecentBook) {
    const auto image = [](const ::Figure& f) { return FigureExporter::image(f, {400, 300}); };
    const auto add = [this] {
        book->panel().findChild<QPushButton*>(QStringLiteral("cmdAdd"))->click();
    };
    auto* spider = qobject_cast<SpiderView*>(frame.openSpider());
    ASSERT_NE(spider, nullptr);
    spider->typeBox()->setCurrentText("REE");
    const QString ci = "CI chondrite (Sun & McDonough 1989)";
    spider->normalizationBox()->setCurrentText(ci);
    spider->classTableBox()->setCurrentText("Chem");
    spider->classFieldBox()->setCurrentText("Rock");
    spider->packBox()->setChecked(true);
    spider->controller().setSelection("Trace", "SampleNo",
                                      {CellValue::text("S1"), CellValue::text("S3")});
    ASSERT_TRUE(spider->draw());
    const QImage spiderPicture = image(spider->controller().figure());
    add();

    auto* distribution = qobject_cast<DistributionView*>(frame.openDistribution());
    ASSERT_NE(distribution, nullptr);
    DistributionWindow& d = distribution->controller();
    d.table = "Chem";
    d.field = "SiO2";
    // Typed classes, one of them open downwards.
    d.manualClasses = true;
    d.setClasses({{std::nullopt, 50, true, false, "low", "L"},
                  {50, 60, true, false, "", ""},
                  {60, 80, true, false, "high", "H"}});
    d.chart.showPercent = true;
    d.chart.header = "Silica; in %";
    distribution->showController();
    ASSERT_TRUE(distribution->draw());
    const QImage distributionPicture = image(d.figure());
    add();
    ASSERT_EQ(list()->count(), 2);
    EXPECT_EQ(list()->item(0)->text(), "Spider: REE");
    EXPECT_EQ(list()->item(1)->text(), "Distribution: SiO2");

    const QString bok = dir.filePath("statistics.bok");
    dialogs.queueText(bok);
    menu("Save PictureBook &As...");
    menu("&New and Clear");
    // Both windows change before the book draws them back.
    spider->typeBox()->setCurrentText("REY");
    spider->controller().setSelection("Trace", "SampleNo", {CellValue::text("S2")});
    ASSERT_TRUE(spider->draw());
    d.field = "MgO";
    d.chart.showPercent = false;
    d.manualClasses = false;
    distribution->showController();
    ASSERT_TRUE(distribution->draw());

    EXPECT_FALSE(run("PBOPEN 2").ok);
    dialogs.clearLog();
    ASSERT_TRUE(run("PBOPEN 1").ok);
    ASSERT_EQ(list()->count(), 2);
    ASSERT_TRUE(run("PBNEXT").ok);
    EXPECT_EQ(image(spider->controller().figure()), spiderPicture);
    EXPECT_EQ(spider->typeBox()->currentText(), "REE");
    EXPECT_EQ(spider->normalizationBox()->currentText(), ci);
    EXPECT_TRUE(spider->packBox()->isChecked());
    ASSERT_TRUE(run("PBNEXT").ok);
    EXPECT_EQ(image(d.figure()), distributionPicture);
    EXPECT_EQ(d.chart.header, "Silica; in %");
    ASSERT_EQ(d.classes().size(), 3u);
    EXPECT_EQ(d.classes()[1].name, "]50,60]");
    EXPECT_FALSE(d.classes()[0].from.has_value());
    // The view shows the drawn settings, so its own Draw gives the same picture.
    ASSERT_TRUE(distribution->draw());
    EXPECT_EQ(image(d.figure()), distributionPicture);
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
}

TEST_F(PictureBookPanelTest, SlideShowCountsDownAndStopsFromTheStatusBar) {
    menu("Slide Show &Run");
    EXPECT_EQ(dialogs.texts().last(), "No figures");
    ASSERT_TRUE(run("VIEW XY").ok);
    ASSERT_TRUE(run("DRAW2 XY;Chem;SiO2;Chem;MgO;;;;;").ok);
    ASSERT_TRUE(run("PBADD").ok);
    ASSERT_TRUE(run("PBADD").ok);
    dialogs.queueText("3");
    menu("Slide Show &Options...");
    ASSERT_TRUE(run("PBANIRUN").ok);
    EXPECT_EQ(statusText(), "Next after 3 seconds");
    book->countdownTick();
    EXPECT_EQ(statusText(), "Next after 2 seconds");

    dialogs.queueAnswer(Answer::No);
    mouse(frame.statusBar(), QEvent::MouseButtonPress);
    EXPECT_EQ(dialogs.texts().last(), "Stop Animation?");
    EXPECT_TRUE(book->controller().slideShowRunning());
    dialogs.queueAnswer(Answer::Yes);
    mouse(frame.statusBar(), QEvent::MouseButtonPress);
    EXPECT_FALSE(book->controller().slideShowRunning());

    // Run again to its end: the last tick says so and stops.
    ASSERT_TRUE(book->runSlideShow());
    book->figureTick();
    EXPECT_EQ(list()->currentRow(), 1);
    book->figureTick();
    EXPECT_EQ(dialogs.texts().last(), "This is last picture");
    EXPECT_FALSE(book->controller().slideShowRunning());
}

TEST_F(PictureBookPanelTest, ClosingWithAnUnsavedBookAsksAndYesSavesIt) {
    ASSERT_TRUE(run("VIEW XY").ok);
    ASSERT_TRUE(run("DRAW2 XY;Chem;SiO2;Chem;MgO;;;;;").ok);
    ASSERT_TRUE(run("PBADD").ok);
    const QString bok = dir.filePath("closing.bok");
    dialogs.queueAnswer(Answer::Yes);
    dialogs.queueText(bok);
    frame.close();
    EXPECT_TRUE(dialogs.texts().contains("PictureBook not saved.\r\nDo you want to save it now?"));
    EXPECT_TRUE(QFile::exists(bok));
}

} // namespace
