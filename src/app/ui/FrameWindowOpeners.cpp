#include "app/ui/FrameWindowOpeners.h"

#include "app/ui/MainFrame.h"
#include "automation/ui/PopulationView.h"
#include "calc/ui/UserCalcView.h"
#include "chem/ui/ConverterView.h"
#include "clipdata/ClipDataWindow.h"
#include "db/ui/CatalogueView.h"
#include "filter/ui/QueryView.h"
#include "platform/Dialogs.h"
#include "platform/qt/QtStatus.h"
#include "stats/BoxWhiskerSettings.h"
#include "stats/ui/BoxPlotView.h"
#include "stats/ui/DescriptiveStatisticsView.h"
#include "stats/ui/DistributionView.h"

#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <vector>

namespace {
// Screenshots are wider than the help window: each picture shown at width, its shape kept.
void fitPictures(QTextDocument& document, int width) {
    struct Picture {
        int position, length;
        QTextImageFormat format;
    };
    std::vector<Picture> pictures; // gathered first: changing a format merges fragments
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                pictures.push_back({it.fragment().position(), it.fragment().length(),
                                    it.fragment().charFormat().toImageFormat()});
    for (Picture& p : pictures) {
        p.format.setWidth(width);
        QTextCursor cursor(&document);
        cursor.setPosition(p.position);
        cursor.setPosition(p.position + p.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(p.format);
    }
}
} // namespace

QWidget* FrameWindowOpeners::openDescriptiveStatistics(const QString& table) {
    if (!frame_.parts_)
        return nullptr;
    auto* view = frame_.activateChild<DescriptiveStatisticsView>();
    if (!view) {
        view = new DescriptiveStatisticsView(
            frame_.parts_->session, frame_.parts_->dialogs, *frame_.status_,
            [this] { return &frame_.clipData_->sheet().activePage(); });
        frame_.showChild(view, QStringLiteral("FullStat"), {760, 520});
    }
    if (!table.isEmpty())
        view->setTable(table);
    return view;
}

QWidget* FrameWindowOpeners::openBoxPlot(const QString& table) {
    if (!frame_.parts_)
        return nullptr;
    auto* view = frame_.activateChild<BoxPlotView>();
    if (!view) {
        view = new BoxPlotView(frame_.parts_->session, frame_.parts_->dialogs, *frame_.status_,
                               BoxWhiskerSettings::shared(),
                               [this] { return &frame_.clipData_->sheet().activePage(); });
        view->setWindowGeometry(&frame_.geometry_);
        frame_.showChild(view, QStringLiteral("stat"), {980, 620});
    }
    if (!table.isEmpty())
        view->setStatisticsTable(table);
    return view;
}

QWidget* FrameWindowOpeners::openDistribution(const QString& table) {
    if (!frame_.parts_)
        return nullptr;
    auto* view = frame_.activateChild<DistributionView>();
    if (!view) {
        view = new DistributionView(frame_.parts_->session, frame_.parts_->dialogs, *frame_.status_,
                                    [this] { return &frame_.clipData_->sheet().activePage(); });
        frame_.showChild(view, QStringLiteral("Distribution"), {1000, 640});
    }
    if (!table.isEmpty())
        view->setTable(table);
    return view;
}

QWidget* FrameWindowOpeners::openQueryWindow() {
    if (!frame_.parts_)
        return nullptr;
    if (auto* open = frame_.activateChild<QueryView>())
        return open;
    auto* view = new QueryView(frame_.parts_->session, frame_.parts_->dialogs, &frame_.geometry_);
    view->openGrid = [this](const QString& statement, const QString& caption) {
        return frame_.openGrid(statement, caption) != nullptr;
    };
    frame_.showChild(view, QueryWindow::shortName(), {560, 420});
    return view;
}

QWidget* FrameWindowOpeners::openCatalogue() {
    if (!frame_.parts_)
        return nullptr;
    if (auto* open = frame_.activateChild<CatalogueView>())
        return open;
    auto* view = new CatalogueView(frame_.parts_->session, frame_.parts_->dialogs);
    frame_.showChild(view, CatalogueWindow::shortName(), {620, 440});
    return view;
}

QWidget* FrameWindowOpeners::openConverter() {
    if (!frame_.parts_)
        return nullptr;
    if (auto* open = frame_.activateChild<ConverterView>())
        return open;
    auto* view = new ConverterView(frame_.parts_->dialogs);
    view->showHelp = [this] { openHelp(); };
    view->openLibrary(frame_.parts_->mineralLibraryDb, frame_.parts_->mineralLibraryTable,
                      frame_.parts_->folders.userFolder);
    frame_.showChild(view, ConverterWindow::shortName(), {460, 420});
    return view;
}

QWidget* FrameWindowOpeners::openPopulation() {
    if (!frame_.parts_)
        return nullptr;
    if (auto* open = frame_.activateChild<PopulationView>()) {
        open->refreshLists();
        return open;
    }
    const auto& folders = frame_.parts_->folders;
    auto* view =
        new PopulationView(frame_.parts_->session, frame_.parts_->dialogs, *frame_.status_,
                           folders.appPath + "/ini/QuvData.ini",
                           folders.userFolder + "/ini/QuvData.ini", folders.userFolder + "/data");
    view->controller().showTable = [this](const QString& statement, const QString& caption) {
        frame_.openGrid(statement, caption);
    };
    frame_.showChild(view, QStringLiteral("Population"), {900, 700});
    return view;
}

UserCalcView* FrameWindowOpeners::openUserCalc() {
    if (!frame_.parts_)
        return nullptr;
    if (auto* open = frame_.activateChild<UserCalcView>())
        return open;
    auto* view = new UserCalcView(frame_.parts_->session, frame_.parts_->dialogs, *frame_.status_,
                                  frame_.parts_->systemDatabase);
    QObject::connect(view, &UserCalcView::stored, &frame_, &MainFrame::refreshLists);
    frame_.showChild(view, QStringLiteral("UserCalc"), {520, 620});
    return view;
}

QWidget* FrameWindowOpeners::openHelp() {
    if (!frame_.parts_)
        return nullptr;
    for (QMdiSubWindow* w : frame_.area_->subWindowList())
        if (auto* guide = qobject_cast<QTextBrowser*>(w->widget())) {
            frame_.area_->setActiveSubWindow(w);
            return guide;
        }
    QFile file(frame_.userGuidePath());
    if (!file.open(QIODevice::ReadOnly)) {
        frame_.parts_->dialogs.message(MessageKind::Exclamation, QStringLiteral("The user guide ") +
                                                                     frame_.userGuidePath() +
                                                                     QStringLiteral(" is missing"));
        return nullptr;
    }
    auto* guide = new QTextBrowser;
    guide->setWindowTitle(QStringLiteral("QUV Data Help"));
    guide->setOpenExternalLinks(true);
    // Its pictures lie in screenshots/ beside it.
    guide->setSearchPaths({QFileInfo(file).absolutePath()});
    guide->setMarkdown(QString::fromUtf8(file.readAll()));
    fitPictures(*guide->document(), 640);
    frame_.showChild(guide, QStringLiteral("Help"), {760, 620});
    return guide;
}
