#pragma once
// The diagram window's widgets: graph type, the table and field pickers of X, Y, Z and the
// classifier, the filter, the data source and drawing options, the chart, the figure log and
// the window's menus. Draw (button, Enter, F2) copies the boxes into the controller, draws and
// shows the figure; everything else goes to DiagramWindow as well.
#include "diagram/DiagramWindow.h"
#include "diagram/MultiSetEditor.h"

#include <QWidget>
#include <array>
#include <functional>
#include <vector>

class DiagramAxisMenu;
class DiagramObjectMenus;
class DiagramOptionsMenu;
class DiagramStyleMenu;
struct StyleDefaults;
class SeriesBlinker;
class ZoomPanOverview;
class QToolBar;
class QAction;
class WindowGeometry;
class DiagramCalcControls;
class QCheckBox;
class QComboBox;
class QCustomPlot;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QStatusBar;
class SchemaCatalogue;

class DiagramView : public QWidget {
    Q_OBJECT
public:
    struct Folders {
        QString userFolder;    // "\ini\lastfiles.ini", templates, graph files and pictures
        QString programFolder; // its "\ini\" holds the templates that come with the program
    };

    DiagramView(SessionDatabase& session, Dialogs& dialogs, Status& status, Folders folders,
                QWidget* parent = nullptr);
    ~DiagramView() override;

    DiagramWindow& controller() { return window_; }
    DiagramAxisMenu& axisMenu() { return *axisMenu_; }
    DiagramObjectMenus& objectMenus() { return *objectMenus_; }
    DiagramStyleMenu& styleMenu() { return *styleMenu_; }
    // The styles the window starts from and returns to ("&Reset Style"), shared by the windows.
    void useStyleDefaults(StyleDefaults* defaults) { window_.styles.useDefaults(defaults); }
    // Where the window's dialogs keep their places (the scale dialog, the legend order).
    void setWindowGeometry(const WindowGeometry* geometry);
    // Told after "Copy DataPoints" wrote the ClipData sheet, so that its window shows it.
    std::function<void()> clipDataChanged;
    // The "Calc" source: chkPlus and each axis's calculation editor.
    DiagramCalcControls* calcControls() const { return calc_; }
    // "Run active SQL": the statement opened in a table grid with that caption.
    std::function<void(const QString& statement, const QString& caption)> openGrid;
    // Refills the table pickers after the session database changed, keeping the choices.
    void refreshLists();
    bool draw();
    bool drawLastFigure();
    // Shows the controller's definition and figure after something else drew or changed them
    // (a macro line).
    void showController();
    // Picks by position in the pickers' lists of tables and fields (0 the first table or field):
    // X table, Y table, X field, Y field and, when six are given, Z table and Z field. A
    // position beyond its list leaves that picker alone.
    void pickByPosition(const std::vector<int>& positions);
    // "Use ClipData" ticked or not, as by its menu item.
    void setUseClipData(bool on);
    // "&Open AKR" without its dialog; false after the message.
    bool openGraphFile(const QString& path);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    void takeInput();
    void showInput();
    void showFigure();
    void fillFields(int slot);
    // A graph type chosen: the axis captions, the Z box where the type uses it, its template.
    void graphTypeChosen(const QString& type);
    void useClipData(bool on);
    // The multi-set frame: the X/Y boxes (and the filter) as one set, and back.
    QWidget* buildMultiSetFrame();
    // The source and "n=", the "Filter=ON"/"Filter=OFF", "Buttons=VISIBLE"/"Buttons=HIDDEN"
    // and "BLINK=ON"/"BLINK=OFF" panels (a click toggles them; buttons: the boxes beside the
    // chart) and "COORD", the mouse position in data coordinates.
    QStatusBar* buildStatusBar(QWidget* buttons);
    MultiSetEditor::Set boxesAsSet() const;
    void showSet(const MultiSetEditor::Set& set);
    void savePicture();
    // "AND/OR": the combined-filter window; its f_Combined becomes this diagram's filter.
    void openCombinedFilters();
    QString lastFilesPath() const;
    // "Save AKR" to the file saved or opened last; "Save AKR &As" (or no file yet) asks.
    void saveGraphFile(bool askPath);
    void drawPrevious();
    // After "Copy DataPoints" or "Paste ClipData": the window draws from ClipData.
    void clipDataFilled();
    // "Copy": the picture to the clipboard (saved too with "Each time when copied to clipboard").
    void copyPicture();
    void print();

    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    Folders folders_;
    DiagramWindow window_;
    MultiSetEditor multiSets_{window_.definition};
    QWidget* multiFrame_ = nullptr;
    QSpinBox* setNumber_ = nullptr;
    QCheckBox* filterCommon_ = nullptr;
    QCheckBox* cumulative_ = nullptr;
    QCheckBox* fillSets_ = nullptr;
    QCheckBox* stackSets_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    SeriesBlinker* blinker_ = nullptr;
    QComboBox* graphType_;
    std::array<QLabel*, 3> axisLabels_{};
    DiagramCalcControls* calc_ = nullptr;
    QAction* useClipData_ = nullptr;
    QString graphFile_;
    QWidget* side_ = nullptr;                   // the boxes beside the chart
    QPushButton* statusPanelButtons_ = nullptr; // "Buttons=VISIBLE"/"Buttons=HIDDEN"
    std::array<QComboBox*, 4> tables_{};
    std::array<QComboBox*, 4> fields_{};
    QCheckBox* filterOn_;
    QComboBox* filter_;
    QCheckBox* connectingLine_;
    QCheckBox* labels_;
    QCustomPlot* plot_;
    QListWidget* log_;
    QLabel* source_;
    DiagramAxisMenu* axisMenu_;
    DiagramOptionsMenu* optionsMenu_;
    DiagramStyleMenu* styleMenu_ = nullptr;
    DiagramObjectMenus* objectMenus_ = nullptr;
    ZoomPanOverview* overview_ = nullptr;
    bool reshowQueued_ = false;
};
