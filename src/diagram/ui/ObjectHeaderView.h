#pragma once
// The object header window over an ObjectHeaderEditor: the kind tabs, the figure's objects of
// that kind, one line edit per field under its label (the key read-only), and the buttons
// "New", "&Update", "&Add to DB", "&Delete", "Copy from &previous", "Copy from &next",
// "Empty all (except system data)", "&Close"; the menus "Paste special" (from the clipboard)
// and "&Show systemlines" (the key, chart type and axes); the labels "Discr", "Delta" and
// "Dista", whose click offers to store the figure's discrimination groups, deltas or distances
// ("Store " + kind + " values to:"). Closing asks about edits not yet updated. Keeps its place
// under "ObjHeader".
#include "diagram/DiagramObjectController.h"
#include "diagram/ObjectHeaderEditor.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QFormLayout;
class QLineEdit;
class QTabBar;
class WindowGeometry;

class ObjectHeaderView : public QDialog {
    Q_OBJECT
public:
    ObjectHeaderView(ObjectHeaderEditor* editor, const WindowGeometry* geometry, QWidget* parent);
    ~ObjectHeaderView() override;

    ObjectHeaderEditor& editor() { return *editor_; }
    void showKind(LibraryKind kind);

signals:
    void changed();
    // A click on "Discr", "Delta" or "Dista".
    void storeValues(DiagramObjectController::Stored what);

protected:
    void done(int result) override;

private:
    void fill();

    std::unique_ptr<ObjectHeaderEditor> editor_;
    const WindowGeometry* geometry_;
    QTabBar* tabs_;
    QComboBox* objects_;
    QFormLayout* form_;
    std::vector<std::pair<QString, QLineEdit*>> edits_;
    bool filling_ = false;
    bool showSystem_ = false;
};
