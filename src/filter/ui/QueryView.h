#pragma once
// The query window's widgets: the SQL text (txtSQLWindow), the field, operator and condition
// of the next condition, and the buttons "Add condition", "Save as Query...", "Save...",
// "Open...", "Run", "Select Table in Query..." and "&Edit SQL..." (the SQL clause editor). Every
// action goes to QueryWindow; the view copies its boxes into the controller first and shows the
// controller's text afterwards.
#include "filter/QueryWindow.h"

#include <QWidget>
#include <functional>

class Dialogs;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class SessionDatabase;
class WindowGeometry;

class QueryView : public QWidget {
    Q_OBJECT
public:
    QueryView(SessionDatabase& session, Dialogs& dialogs, const WindowGeometry* geometry,
              QWidget* parent = nullptr);

    // Opens a table grid on a statement; the frame sets it. False when nothing was opened.
    std::function<bool(const QString& statement, const QString& caption)> openGrid;

    QueryWindow& controller() { return window_; }
    QPlainTextEdit* sqlText() const { return sql_; }
    QComboBox* fieldBox() const { return field_; }
    QComboBox* operatorBox() const { return operator_; }
    QLineEdit* conditionBox() const { return condition_; }
    // The fields of the tables the text's FROM part names, keeping the field typed.
    void refreshLists();

private:
    void act(bool (QueryWindow::*action)());
    void run();
    // "Select Table in Query...": the picked table of the text's FROM part in a grid.
    void chooseTable();

    SessionDatabase& session_;
    Dialogs& dialogs_;
    const WindowGeometry* geometry_;
    QueryWindow window_;
    QPlainTextEdit* sql_;
    QComboBox* field_;
    QComboBox* operator_;
    QLineEdit* condition_;
};
