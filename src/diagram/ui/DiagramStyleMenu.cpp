#include "diagram/ui/DiagramStyleMenu.h"

#include "diagram/DiagramWindow.h"
#include "diagram/ui/StyleEditorView.h"

#include <QAction>
#include <QMenu>

DiagramStyleMenu::DiagramStyleMenu(DiagramWindow& window, QString stylesFolder,
                                   std::function<void()> shown, QWidget* view)
    : QObject(view)
    , window_(window)
    , stylesFolder_(std::move(stylesFolder))
    , shown_(std::move(shown))
    , view_(view) {}

void DiagramStyleMenu::restyled() {
    window_.restyle();
    shown_();
}

void DiagramStyleMenu::figureShown() {
    if (editor_ && editor_->isVisible())
        editor_->reload();
}

void DiagramStyleMenu::addTo(QMenu& file) {
    file.addSeparator();
    file.addAction(StyleEditor::caption() + QStringLiteral("..."), this, [this] { openEditor(); });
    file.addAction(QStringLiteral("Save As Default Style"), this,
                   [this] { window_.styles.saveAsDefault(window_.figure()); });
    file.addAction(QStringLiteral("Save Style"), this,
                   [this] { window_.styles.saveStyle(window_.figure(), stylesFolder_); });
    file.addAction(QStringLiteral("Open Style"), this, [this] {
        if (window_.styles.openStyle(stylesFolder_))
            restyled();
    });
    file.addAction(QStringLiteral("Open Style Library"), this, [this] {
        if (window_.styles.openLibrary(stylesFolder_))
            restyled();
    });
    file.addAction(QStringLiteral("&Reset Style"), this, [this] {
        window_.styles.reset();
        restyled();
    });
    QAction* autoStyle = file.addAction(QStringLiteral("Apply AutoStyle Search"));
    autoStyle->setCheckable(true);
    autoStyle->setChecked(window_.styles.autoStyle);
    connect(autoStyle, &QAction::toggled, this, [this](bool on) {
        window_.styles.autoStyle = on;
        restyled();
    });
}

StyleEditorView* DiagramStyleMenu::openEditor() {
    if (!editor_) {
        editor_ = new StyleEditorView(window_, stylesFolder_, geometry_, view_);
        connect(editor_, &StyleEditorView::applied, this, [this] { shown_(); });
    }
    editor_->reload();
    editor_->show();
    editor_->raise();
    return editor_;
}
