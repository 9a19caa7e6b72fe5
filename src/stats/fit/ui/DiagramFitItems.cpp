#include "stats/fit/ui/DiagramFitItems.h"

#include "stats/fit/ui/FitView.h"

#include <QMenu>

DiagramFitItems::DiagramFitItems(DiagramWindow& window, Dialogs& dialogs, Status& status,
                                 std::function<void()> shown, QWidget* view)
    : QObject(view)
    , window_(window)
    , dialogs_(dialogs)
    , status_(status)
    , shown_(std::move(shown))
    , view_(view) {}

void DiagramFitItems::addTo(QMenu& create) {
    create.addAction(QStringLiteral("&Fit Linear"), this, [this] { fitLinear(); });
    create.addAction(QStringLiteral("Fit..."), this, [this] { openFit(); });
}

bool DiagramFitItems::fitLinear() {
    FitWindow fit(dialogs_, status_);
    fit.setDiagram(&window_);
    if (!fit.fitLinearToDiagram())
        return false;
    shown_();
    return true;
}

FitView* DiagramFitItems::openFit() {
    if (!fit_) {
        // A window of its own beside the diagram, gone with it.
        fit_ = new FitView(dialogs_, status_, view_);
        fit_->setWindowFlag(Qt::Window);
        fit_->resize(1100, 560);
        fit_->accepted = shown_;
    }
    fit_->openFor(&window_);
    fit_->show();
    fit_->raise();
    return fit_;
}
