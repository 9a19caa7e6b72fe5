#pragma once
// The spider diagram window's widgets: the spider type and normalization sample pickers, the
// classifier, the options, "&Select samples", "&Draw", the chart and the window's menus. Every
// action goes to the SpiderWindow controller; the frame supplies the grids and child windows.
#include "diagram/objects/LibraryKind.h"
#include "spider/SpiderObjects.h"
#include "spider/SpiderWindow.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QCustomPlot;
class QLabel;
class QPushButton;
class ObjectLibraryView;
class WindowGeometry;

class SpiderView : public QWidget {
    Q_OBJECT
public:
    SpiderView(SessionDatabase& session, Dialogs& dialogs, Status& status,
               SpiderWindow::SystemOpener system, const SystemTables& names,
               QWidget* parent = nullptr);

    SpiderWindow& controller() { return window_; }
    SpiderObjects& objects() { return objects_; }
    // Reads the library again and refills the pickers, keeping the choices.
    void refreshLists();
    // Copies the pickers into the controller, draws and shows the figure.
    bool draw();
    void showFigure();
    // After the controller's settings were set from outside (a PictureBook figure): the
    // pickers, options, selection and figure show them.
    void showController();

    // Supplied by the frame.
    std::function<void(const QString& statement, const QString& caption)> openGrid;
    std::function<void(const QString& statement, const QString& caption)> openSystemGrid;
    std::function<void()> openSelection;
    std::function<void()> openDefinition;
    std::function<void(const Sheet& sheet, const QString& caption)> showSheet;
    // Where the object library is kept and where its window keeps its place (set by the frame).
    struct LibraryAccess {
        QString systemDatabase;
        SystemTables names;
        const WindowGeometry* geometry = nullptr;
    };
    LibraryAccess library;
    // "&Library..." of the object menus: the browser, listing "Spider" objects, on a kind's tab.
    ObjectLibraryView* openLibrary(LibraryKind kind);

    QComboBox* typeBox() const { return type_; }
    QComboBox* normalizationBox() const { return normalization_; }
    QComboBox* classTableBox() const { return classTable_; }
    QComboBox* classFieldBox() const { return classField_; }
    QCheckBox* scanBox() const { return scan_; }
    QCheckBox* packBox() const { return pack_; }
    QCheckBox* connectBox() const { return connect_; }
    QCheckBox* clipDataBox() const { return clipData_; }
    QCustomPlot* plot() const { return plot_; }
    QLabel* selectionLabel() const { return selection_; }
    void showSelection();

private:
    void buildMenus(class QMenuBar* bar);
    void buildObjectMenus(class QMenuBar* bar);
    // The pickers set from the controller (after the library drew another type).
    void showChoices();
    void takeInput();
    void fillNormalizations();
    void fillClassFields();
    void savePicture();

    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    SpiderWindow window_;
    SpiderObjects objects_;
    QComboBox* type_;
    QComboBox* normalization_;
    QComboBox* classTable_;
    QComboBox* classField_;
    QCheckBox* scan_;
    QCheckBox* pack_;
    QCheckBox* connect_;
    QCheckBox* clipData_;
    QLabel* selection_;
    QCustomPlot* plot_;
};
