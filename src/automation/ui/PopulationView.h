#pragma once
// The "Population Analysis" window: the population ID boxes, the result database, the program
// sheet, Run, its log, and the menu of program files. A thin view over its controller.
#include "automation/PopulationWindow.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QTableView;
class SheetTableModel;

class PopulationView : public QWidget {
    Q_OBJECT
public:
    PopulationView(SessionDatabase& session, Dialogs& dialogs, Status& status,
                   const QString& programIni, const QString& userIni, const QString& dataFolder,
                   QWidget* parent = nullptr);

    PopulationWindow& controller() { return window_; }
    // Fills the boxes from the open database, keeping the choices still there.
    void refreshLists();
    // The boxes into the controller, then Run; the log shown after.
    bool run();
    // The controller's state into the boxes and the sheet.
    void showController();

private:
    void takeBoxes();

    SessionDatabase& session_;
    Dialogs& dialogs_;
    QString dataFolder_;
    PopulationWindow window_;
    QComboBox *table_, *field_, *key_, *filter_;
    QLineEdit* resultDb_;
    QCheckBox* verify_;
    QTableView* sheet_;
    SheetTableModel* model_;
    QPlainTextEdit* log_;
};
