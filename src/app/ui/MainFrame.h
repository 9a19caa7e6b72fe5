#pragma once
// The program's frame window: child windows in a multi-document area, the bottom status bar,
// and the position it had when it was last closed.
#include <QMainWindow>

class QMdiArea;
class QtStatus;
class WindowGeometry;

class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit MainFrame(const WindowGeometry& geometry);

    QtStatus& status() { return *status_; }
    QMdiArea* area() const { return area_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    const WindowGeometry& geometry_;
    QMdiArea* area_;
    QtStatus* status_;
};
