#pragma once
// A read-only sheet in a dialog of its own: the used cells in a table, "&Copy" of the selected
// cells, "Copy &All" and "Close". Owns its copy of the sheet; deletes itself when closed.
#include "platform/Sheet.h"

#include <QDialog>

class QTableView;

class SheetDialog : public QDialog {
    Q_OBJECT
public:
    SheetDialog(const QString& title, Sheet sheet, QWidget* parent = nullptr);

    const Sheet& sheet() const { return sheet_; }
    QTableView* table() const { return view_; }

private:
    Sheet sheet_;
    QTableView* view_;
};
