#include "app/ui/FramePictureBook.h"

#include "app/MainWindow.h"
#include "app/ui/FrameCommands.h"
#include "app/ui/MainFrame.h"
#include "automation/MacroRecorder.h"
#include "automation/MainCommands.h"
#include "automation/ui/BookReport.h"
#include "automation/ui/PictureBookPanel.h"
#include "db/SessionDatabase.h"
#include "diagram/ui/DiagramView.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/qt/QtStatus.h"
#include "platform/qt/SheetTableModel.h"
#include "spider/ui/SpiderView.h"
#include "stats/ui/BoxPlotView.h"
#include "stats/ui/DistributionView.h"

#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QTableView>

namespace {
// The sheet as it was launched: the book may be replaced while the window is open.
struct SheetCopy : QObject {
    SheetCopy(const Sheet& sheet, QObject* parent)
        : QObject(parent)
        , sheet(sheet) {}
    Sheet sheet;
};

DiagramWindow* windowOf(DiagramView* view) {
    return view ? &view->controller() : nullptr;
}

// A statistics window's view type as the book reaches it: the active child when it is one,
// the one opened for drawing, and the view showing the controller's new state.
template <class View, class Open> auto bookWindow(MainFrame& frame, Open open) {
    using Window = std::remove_reference_t<decltype(std::declval<View&>().controller())>;
    return PictureBookController::BookWindow<Window>{
        [&frame]() -> Window* {
            QMdiSubWindow* active = frame.area()->activeSubWindow();
            auto* view = active ? qobject_cast<View*>(active->widget()) : nullptr;
            return view ? &view->controller() : nullptr;
        },
        [open]() -> Window* {
            auto* view = qobject_cast<View*>(open());
            return view ? &view->controller() : nullptr;
        },
        [&frame](Window& window) {
            for (auto* view : frame.findChildren<View*>())
                if (&view->controller() == &window)
                    view->showController();
        }};
}
} // namespace

FramePictureBook::FramePictureBook(MainFrame& frame, const QString& userFolder,
                                   const QString& bookFolder)
    : QObject(&frame)
    , frame_(frame)
    , userFolder_(userFolder)
    , controller_(
          frame.parts_->dialogs, frame.status(), userFolder, bookFolder,
          {[&frame] { return windowOf(frame.currentDiagram()); },
           [&frame] {
               DiagramView* view = frame.currentDiagram();
               return windowOf(view ? view : frame.openDiagram());
           },
           [&frame](DiagramWindow& window) {
               DiagramView* view = frame.currentDiagram();
               if (view && &view->controller() == &window)
                   view->showController();
           },
           [&frame]() -> const SchemaCatalogue* { return &frame.parts_->session.catalogue(); },
           [&frame](const QString& line, const QStringList& names) {
               if (FrameCommands* commands = frame.commands())
                   commands->recorder().record(line, names);
           },
           bookWindow<BoxPlotView>(frame, [&frame] { return frame.openBoxPlot(); }),
           bookWindow<SpiderView>(frame, [&frame] { return frame.openSpider(); }),
           bookWindow<DistributionView>(frame, [&frame] { return frame.openDistribution(); })}) {
    controller_.lastFilesIni = userFolder + QStringLiteral("/ini/lastfiles.ini");
    panel_ = new PictureBookPanel(controller_);
    dock_ = new QDockWidget(QStringLiteral("PictureBook"), &frame);
    dock_->setObjectName(QStringLiteral("pictureBook"));
    dock_->setWidget(panel_);
    frame.addDockWidget(Qt::RightDockWidgetArea, dock_);
    dock_->hide();
    controller_.changed = [this] {
        panel_->refresh();
        const QString name = controller_.bookName();
        dock_->setWindowTitle(name.isEmpty() ? QStringLiteral("PictureBook")
                                             : QStringLiteral("PictureBook - ") + name);
    };
    controller_.showPanel = [this] { dock_->show(); };

    connect(&figureTimer_, &QTimer::timeout, this, &FramePictureBook::figureTick);
    connect(&countdown_, &QTimer::timeout, this, &FramePictureBook::countdownTick);
    countdown_.setInterval(1000);
    frame.statusBar()->installEventFilter(this);

    if (FrameCommands* commands = frame.commands()) {
        MainCommands& main = commands->mainCommands();
        main.setBook([this](const MacroCommand& c) {
            if (c.keyword == QLatin1String("PBANIRUN"))
                return CommandResult::of(runSlideShow());
            return controller_.runCommand(c);
        });
        main.registerView(QStringLiteral("BOOK"), [this] {
            dock_->show();
            return true;
        });
    }
    MainWindow& main = *frame.controller_;
    main.hooks.pictureBookUnsaved = [this] { return controller_.isUnsaved(); };
    main.hooks.savePictureBook = [this] { controller_.saveAsk(false); };
}

FramePictureBook::~FramePictureBook() = default;

void FramePictureBook::addMenu(QMenuBar& bar) {
    QMenu* m = bar.addMenu(QStringLiteral("P&ictureBook"));
    m->setObjectName(QStringLiteral("mnuPB"));
    PictureBookController& c = controller_;
    m->addAction(QStringLiteral("&Open PictureBook..."), this, [&c] { c.openAsk(); });
    m->addAction(QStringLiteral("&Save PictureBook"), this, [&c] { c.saveAsk(false); });
    m->addAction(QStringLiteral("Save PictureBook &As..."), this, [&c] { c.saveAsk(true); });
    m->addAction(QStringLiteral("&New and Clear"), this, [&c] { c.newBook(); });
    m->addSeparator();
    m->addAction(QStringLiteral("Add &Figure"), this, [&c] { c.add(); });
    m->addAction(QStringLiteral("&Delete Figure"), this, [&c] { c.deleteSelected(); });
    m->addAction(QStringLiteral("&Rename Figure..."), this, [&c] { c.renameSelected(); });
    m->addAction(QStringLiteral("&Copy Figure Text"), this,
                 [&c] { QApplication::clipboard()->setText(c.figureText()); });
    m->addAction(QStringLiteral("&Next Figure"), QKeySequence(Qt::CTRL | Qt::Key_PageDown), this,
                 [&c] { c.next(); });
    m->addAction(QStringLiteral("&Previous Figure"), QKeySequence(Qt::CTRL | Qt::Key_PageUp), this,
                 [&c] { c.previous(); });
    m->addAction(QStringLiteral("&Launch Sheet"), this, [this] { launchSheet(); });
    m->addSeparator();
    m->addAction(QStringLiteral("Run &Report..."), this, [this] { runReport(); });
    m->addAction(QStringLiteral("Set &Word Processor..."), this, [this] { setWordProcessor(); });
    m->addSeparator();
    m->addAction(QStringLiteral("Slide Show &Run"), this, [this] { runSlideShow(); });
    m->addAction(QStringLiteral("Slide Show &Options..."), this, [&c] { c.askSlideSeconds(); });
    m->addSeparator();
    QAction* panel = dock_->toggleViewAction();
    panel->setText(QStringLiteral("PictureBook &panel"));
    m->addAction(panel);
}

bool FramePictureBook::runSlideShow() {
    dock_->show();
    if (!controller_.startSlideShow())
        return false;
    secondsLeft_ = int(controller_.slideSeconds());
    figureTimer_.start(int(controller_.slideSeconds() * 1000));
    countdown_.start();
    return true;
}

void FramePictureBook::stopSlideShow() {
    controller_.stopSlideShow();
    figureTimer_.stop();
    countdown_.stop();
    frame_.status().showStatus(QString(), 0);
}

void FramePictureBook::figureTick() {
    if (!controller_.slideTick()) {
        stopSlideShow();
        return;
    }
    secondsLeft_ = int(controller_.slideSeconds());
}

void FramePictureBook::countdownTick() {
    if (!controller_.slideShowRunning())
        return;
    secondsLeft_ = std::max(0, secondsLeft_ - 1);
    frame_.status().showStatus(PictureBookController::countdown(secondsLeft_), 0);
}

bool FramePictureBook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && controller_.slideShowRunning()) {
        // The question waits modally; the show must not go on meanwhile.
        figureTimer_.stop();
        countdown_.stop();
        if (controller_.askStopSlideShow()) {
            stopSlideShow();
        } else {
            figureTimer_.start();
            countdown_.start();
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

bool FramePictureBook::writeReport(const QString& pdfPath) {
    BookReport report;
    if (!controller_.eachFigure(
            [&report](const QString& caption, const Figure& f) { report.add(caption, f); }))
        return false;
    QString error;
    if (!report.write(pdfPath, &error)) {
        frame_.parts_->dialogs.message(MessageKind::Exclamation,
                                       QStringLiteral("Error in writing file ") + pdfPath +
                                           QStringLiteral("\r\n") + error);
        return false;
    }
    frame_.status().showStatus(QStringLiteral("Report written to ") + pdfPath, 0);
    return true;
}

bool FramePictureBook::runReport() {
    if (controller_.entries().empty()) {
        frame_.parts_->dialogs.message(MessageKind::Information,
                                       PictureBookController::noFigures());
        return false;
    }
    const QString name =
        controller_.bookName().isEmpty() ? QStringLiteral("Report") : controller_.bookName();
    const auto path = frame_.parts_->dialogs.saveFile(
        QStringLiteral("Run Report"), QStringLiteral("PDF document (*.pdf)|*.pdf"),
        userFolder_ + QStringLiteral("/Books/") + name + QStringLiteral(".pdf"));
    if (!path || !writeReport(*path))
        return false;
    const QString program = wordProcessor();
    if (!program.isEmpty())
        QProcess::startDetached(program, {*path});
    return true;
}

QString FramePictureBook::wordProcessor() const {
    return IniFile::load(userFolder_ + QStringLiteral("/ini/lastfiles.ini"))
        .value(QStringLiteral("WordProcessor"), QStringLiteral("Name"))
        .value_or(QString());
}

bool FramePictureBook::setWordProcessor() {
    const auto path = frame_.parts_->dialogs.openFile(
        QStringLiteral("Browse WordProcessor"),
        QStringLiteral("Programs (*.exe)|*.exe|Document (*.doc;*.txt)|*.doc;*.txt|All files "
                       "(*.*)|*.*"),
        QFileInfo(wordProcessor()).path());
    if (!path)
        return false;
    const QString file = userFolder_ + QStringLiteral("/ini/lastfiles.ini");
    IniFile ini = IniFile::load(file);
    ini.setValue(QStringLiteral("WordProcessor"), QStringLiteral("Name"), *path);
    return ini.save(file);
}

void FramePictureBook::launchSheet() {
    auto* view = new QTableView;
    view->setWindowTitle(QStringLiteral("PictureBook sheet"));
    auto* copy = new SheetCopy(controller_.book().figures(), view);
    view->setModel(new SheetTableModel(&copy->sheet, view));
    frame_.showChild(view, QStringLiteral("PictureBookSheet"), {900, 400});
}
