#pragma once
// The diagram window's style items in its "File" menu: "Graph symbol and line styles..." (the
// style editor), "Save As Default Style", "Save Style", "Open Style", "Open Style Library",
// "&Reset Style" and the "Apply AutoStyle Search" switch. Each goes to the window's
// DiagramStyles; `shown` then shows the figure again.
#include <QObject>
#include <QPointer>
#include <functional>

class DiagramWindow;
class QMenu;
class QWidget;
class StyleEditorView;
class WindowGeometry;

class DiagramStyleMenu : public QObject {
    Q_OBJECT
public:
    DiagramStyleMenu(DiagramWindow& window, QString stylesFolder, std::function<void()> shown,
                     QWidget* view);

    void addTo(QMenu& file);
    // Where the style editor keeps its place; none: it is not kept.
    void setWindowGeometry(const WindowGeometry* geometry) { geometry_ = geometry; }
    // The style editor, opened (once) on the window's figure.
    StyleEditorView* openEditor();
    // The style editor, while open, shows the styles of the figure shown now.
    void figureShown();

private:
    void restyled();

    DiagramWindow& window_;
    QString stylesFolder_;
    std::function<void()> shown_;
    QWidget* view_;
    const WindowGeometry* geometry_ = nullptr;
    QPointer<StyleEditorView> editor_;
};
