// The spider diagram reached from the main window on the offscreen platform: View > "Spider
// diagram", the sample selection window's "All from Table" and "&OK", the sample database's REE
// normalised to CI chondrite on a log axis, and the picture it gives.
#include "spider/ui/SpiderView.h"
#include "app/FrameSession.h"
#include "figure/ui/FigureExporter.h"
#include "spider/ui/SpiderSampleView.h"
#include "support/TestPaths.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <cmath>
#include <gtest/gtest.h>

namespace {

class SpiderViewTest : public FrameSession {
protected:
    void SetUp() override {
        const QString sample = testpaths::binaryDir() + QStringLiteral("/samples/QUVSample.sqlite");
        if (!QFile::exists(sample))
            GTEST_SKIP() << "build/samples/QUVSample.sqlite is missing (quv_samplegen writes it)";
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QFile::copy(sample, dbPath));
        frame.bind({window,
                    browser,
                    session,
                    dialogs,
                    {dir.path(), dir.path()},
                    dir.filePath(QStringLiteral("system/QUVData.sqlite"))});
        ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
        frame.resize(1200, 900);
        frame.show();
    }
    template <class T> T* child() const {
        for (QMdiSubWindow* w : frame.area()->subWindowList())
            if (auto* view = qobject_cast<T*>(w->widget()))
                return view;
        return nullptr;
    }
    static QPushButton* button(QWidget* in, const QString& text) {
        for (QPushButton* b : in->findChildren<QPushButton*>())
            if (b->text() == text)
                return b;
        return nullptr;
    }
};

TEST_F(SpiderViewTest, ReeOfTheSampleDatabaseNormalisedToChondrite) {
    QAction* open = actionAt(frame.menuBar(), {"&View", "&Spider diagram"});
    ASSERT_TRUE(open);
    open->trigger();
    auto* spider = child<SpiderView>();
    ASSERT_TRUE(spider);
    spider->typeBox()->setCurrentText("REE");
    const QString ci = "CI chondrite (Sun & McDonough 1989)";
    ASSERT_GE(spider->normalizationBox()->findText(ci), 0);
    spider->normalizationBox()->setCurrentText(ci);
    spider->classTableBox()->setCurrentText("Samples");
    spider->classFieldBox()->setCurrentText("Rock");

    button(spider, "&Select samples")->click();
    auto* selection = child<SpiderSampleView>();
    ASSERT_TRUE(selection);
    selection->tableBox()->setCurrentText("Trace");
    button(selection, "All from Table")->click();
    const auto traced = session.connection()->query("SELECT DISTINCT [SampleNo] FROM [Trace]");
    ASSERT_TRUE(traced);
    const qsizetype samples = traced->rowCount();
    ASSERT_GT(samples, 1000);
    ASSERT_EQ(selection->candidateList()->count(), samples);
    button(selection, "Add all samples to list")->click();
    button(selection, "&OK")->click(); // hands the samples over and draws
    EXPECT_EQ(dialogs.texts(), QStringList());

    const Figure& f = spider->controller().figure();
    EXPECT_EQ(f.x.categoryLabels, (QStringList{"La", "Ce", "Pr", "Nd", "Sm", "Eu", "Gd", "Tb", "Dy",
                                               "Ho", "Er", "Tm", "Yb", "Lu"}));
    EXPECT_TRUE(f.y.logarithmic);
    EXPECT_EQ(f.y.title, "Rock/" + ci);
    // One curve per rock type, not one per sample; each sample is 14 points and a gap.
    ASSERT_GE(f.series.size(), 2u);
    ASSERT_LT(f.series.size(), 20u);
    EXPECT_EQ(f.pointCount(), samples * 15);

    // La of the first point, against the database's value over 0.237 ppm.
    FigurePoint first{0, std::nan(""), -1};
    for (const FigurePoint& p : f.series[0].points)
        if (std::isfinite(p.y)) {
            first = p;
            break;
        }
    const auto la =
        session.connection()->query("SELECT [Trace].[La] FROM [Trace] ORDER BY [Trace].[SampleNo]");
    ASSERT_TRUE(la);
    double smallest = 1e300;
    for (qsizetype r = 0; r < la->rowCount(); ++r)
        smallest = std::min(smallest, *la->at(r, 0).toNumber() / 0.237);
    EXPECT_GE(first.y, smallest);
    EXPECT_EQ(first.x, 1.0);

    const QString picture = testpaths::binaryDir() + "/test-output/spider-ree-chondrite.png";
    QDir().mkpath(testpaths::binaryDir() + "/test-output");
    ASSERT_TRUE(FigureExporter::save(f, picture, QSize(900, 600)));
    const QImage image(picture);
    ASSERT_FALSE(image.isNull());
    // Lines were drawn: many pixels are neither white nor black.
    int coloured = 0;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) {
            const QColor c = image.pixelColor(x, y);
            coloured += c.saturation() > 80;
        }
    EXPECT_GT(coloured, 500);
}

} // namespace
