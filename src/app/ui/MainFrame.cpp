#include "app/ui/MainFrame.h"

#include "app/WindowGeometry.h"
#include "platform/qt/QtStatus.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

MainFrame::MainFrame(const WindowGeometry& geometry)
    : geometry_(geometry)
    , area_(new QMdiArea(this))
    , status_(new QtStatus(statusBar())) {
    setWindowTitle(QStringLiteral("QUV Data"));
    setCentralWidget(area_);
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("E&xit"), QKeySequence::Quit, this, &QWidget::close);

    resize(1024, 720);
    const WindowRect r = geometry_.loadMain();
    if (r.width && r.height && *r.width > 100 && *r.height > 100)
        resize(*r.width, *r.height);
    if (r.left && r.top)
        move(*r.left, *r.top);
}

void MainFrame::closeEvent(QCloseEvent* event) {
    geometry_.saveMain({x(), y(), width(), height()});
    event->accept();
}
