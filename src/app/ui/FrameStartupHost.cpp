#include "app/ui/FrameStartupHost.h"

#include "app/ui/FramePictureBook.h"
#include <QDockWidget>

#include "app/ui/MainFrame.h"
#include "clipdata/ClipDataWindow.h"
#include "clipdata/LoadStatementIntoClipData.h"
#include "db/ConnectionFactory.h"
#include "db/SessionDatabase.h"
#include "diagram/ui/DiagramView.h"
#include "link/ui/LinkController.h"
#include "platform/Dialogs.h"
#include "platform/qt/QtStatus.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

FrameStartupHost::FrameStartupHost(MainFrame& frame, SessionDatabase& session, Dialogs& dialogs,
                                   std::function<void(const QString&)> runMacro)
    : frame_(frame)
    , session_(session)
    , dialogs_(dialogs)
    , runMacro_(std::move(runMacro)) {}

bool FrameStartupHost::readClipDataFile(const QString& path) {
    return frame_.clipData() && frame_.clipData()->files().openPath(path);
}

// The statement runs on the database named before it on the command line: the session
// database when that is the one, else a connection of its own for this one load.
bool FrameStartupHost::loadClipDataFromSql(const QString& sql, const QString& databasePath,
                                           const QString&, const QString&) {
    ClipDataWindow* clipData = frame_.clipData();
    if (!clipData)
        return false;
    if (databasePath.isEmpty() || databasePath == session_.SessionDatabasePath)
        return clipData->load(sql);
    OpenedConnection opened = ConnectionFactory::open(databasePath);
    if (!opened.ok()) {
        dialogs_.message(MessageKind::Critical,
                         QStringLiteral("Error in opening database ") + databasePath);
        return false;
    }
    const ClipDataLoadResult result =
        LoadStatementIntoClipData(sql, *opened.connection, clipData->sheet(), frame_.status());
    if (!result.ok)
        dialogs_.message(MessageKind::Critical,
                         QStringLiteral("Error in retrieving data:\r\n") + result.error);
    return result.ok;
}

void FrameStartupHost::showClipDataWindow() {
    if (QWidget* view = frame_.openClipData())
        if (auto* child = qobject_cast<QMdiSubWindow*>(view->parentWidget()))
            child->showNormal();
}

DiagramView& FrameStartupHost::diagram() {
    DiagramView* shown = frame_.currentDiagram();
    return shown ? *shown : *frame_.openDiagram();
}

void FrameStartupHost::showDiagramWindow(bool maximised) {
    DiagramView& view = diagram();
    if (auto* child = qobject_cast<QMdiSubWindow*>(view.parentWidget())) {
        if (maximised)
            child->showMaximized();
        else
            child->show();
        frame_.area()->setActiveSubWindow(child);
    }
}

void FrameStartupHost::setDiagramSelectors(const std::vector<int>& positions) {
    diagram().pickByPosition(positions);
}

void FrameStartupHost::setDiagramUsesClipData() {
    diagram().setUseClipData(true);
}

bool FrameStartupHost::loadChartFile(const QString& path) {
    return diagram().openGraphFile(path);
}

void FrameStartupHost::pressDiagramDraw() {
    diagram().draw();
}

bool FrameStartupHost::ReadPictureBook(const QString& path) {
    FramePictureBook* book = frame_.pictureBook();
    return book && book->controller().open(path);
}

void FrameStartupHost::showPictureBookPanel() {
    if (FramePictureBook* book = frame_.pictureBook())
        book->dock()->show();
}

// The start-up names the book to draw from; its first figure is drawn.
void FrameStartupHost::pressPictureBookDraw() {
    FramePictureBook* book = frame_.pictureBook();
    if (book && book->controller().selected() < 0)
        book->controller().select(0);
    if (book)
        book->controller().drawSelected();
}

// Opening a macro shows it in the macro panel, whose Run starts it; without a panel it runs
// once start-up is over, in the running program.
void FrameStartupHost::AvaaMacro(const QString& path) {
    QTimer::singleShot(0, &frame_, [this, path] { runMacroAfterHandOvers(path); });
}

// The status line lets pending events run while a hand-over opens a database: the macro must
// not start between two steps of that hand-over (a link file's OPENDB and its DRAW2), so it
// tries again later. A message box that waits for the person is another matter: the macro
// runs, and may answer for the person or end the program.
void FrameStartupHost::runMacroAfterHandOvers(const QString& path) {
    if (handingOver_ && !QApplication::activeModalWidget()) {
        QTimer::singleShot(10, &frame_, [this, path] { runMacroAfterHandOvers(path); });
        return;
    }
    if (runMacro_)
        runMacro_(path);
}

void FrameStartupHost::showMainWindow() {
    frame_.show();
}

void FrameStartupHost::setMainCaption(const QString& caption) {
    frame_.setWindowTitle(caption);
}

void FrameStartupHost::HaeClipAvaaPB(const QString& sql, const QString& pictureBook,
                                     const QString& title) {
    if (frame_.clipData() && frame_.clipData()->HaeClipAvaaPB(sql, pictureBook, title))
        showClipDataWindow();
    if (!pictureBook.isEmpty())
        ReadPictureBook(pictureBook);
}

// Started by the sibling program: it sends its content over the link socket, or left it as
// link files in the drop folder, which are taken now.
void FrameStartupHost::AJADDE() {
    if (LinkController* link = frame_.link())
        link->collectDropped();
}

void FrameStartupHost::processLinkFile(const QString& path) {
    if (LinkController* link = frame_.link())
        link->processFile(path);
}

void FrameStartupHost::closeSplash() {
    if (onCloseSplash)
        onCloseSplash();
}

void FrameStartupHost::unavailable(const QString& what) {
    unavailable_ << what;
}

void FrameStartupHost::reportUnavailable() {
    if (unavailable_.isEmpty())
        return;
    dialogs_.message(MessageKind::Information, unavailableHeading() + QStringLiteral("\r\n") +
                                                   unavailable_.join(QStringLiteral("\r\n")));
    unavailable_.clear();
}
