#pragma once
// The style editor's window ("Graph symbol and line styles"): the sample chart (a right click
// picks a symbol), the "Selected object" pickers, the symbol and line boxes, "Apply" and
// "Close", the tools and file menus and the library tab. Every change goes to its StyleEditor;
// the window only shows what the editor holds. Keeps its place under "ChangeStyle".
#include "diagram/StyleEditor.h"

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QCustomPlot;
class QDoubleSpinBox;
class QListWidget;
class QPushButton;
class QTabWidget;
class WindowGeometry;

class StyleEditorView : public QDialog {
    Q_OBJECT
public:
    StyleEditorView(DiagramWindow& window, QString stylesFolder, const WindowGeometry* geometry,
                    QWidget* parent = nullptr);
    ~StyleEditorView() override;

    StyleEditor& editor() { return editor_; }
    // Reads the figure's styles again and shows them.
    void reload();
    // Asks for a colour; the colour dialog unless replaced (tests).
    std::function<std::optional<FigureColor>(FigureColor)> pickColor;
    QCustomPlot* sampleChart() const { return sample_; }
    QListWidget* libraryList() const { return library_; }

signals:
    void applied();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildStylesTab();
    QWidget* buildLibraryTab();
    void buildMenus();
    void showState(); // everything from the editor
    void showLibrary();
    void edited();
    void pickColorFor(bool symbol);

    StyleEditor editor_;
    QString stylesFolder_;
    const WindowGeometry* geometry_;
    bool showing_ = false;
    QTabWidget* tabs_ = nullptr;
    QCustomPlot* sample_ = nullptr;
    std::array<QComboBox*, StyleLibrary::groupCount> objects_{};
    QComboBox* shape_ = nullptr;
    QDoubleSpinBox* size_ = nullptr;
    QPushButton* symbolColor_ = nullptr;
    QComboBox* pattern_ = nullptr;
    QDoubleSpinBox* width_ = nullptr;
    QPushButton* lineColor_ = nullptr;
    QCheckBox* hidden_ = nullptr;
    QButtonGroup* libraryGroups_ = nullptr;
    QListWidget* library_ = nullptr;
};
