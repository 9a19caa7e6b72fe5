#pragma once
// The grid's "Statistics..." result: the statistics table, numbers shown rounded to ten
// significant digits, copied whole ("&Copy").
#include "platform/Sheet.h"

#include <QDialog>

class QTableView;

class GridStatisticsWindow : public QDialog {
    Q_OBJECT
public:
    GridStatisticsWindow(Sheet table, QWidget* parent = nullptr);

    const Sheet& sheet() const { return sheet_; }
    QTableView* view() const { return view_; }

private:
    Sheet sheet_;
    QTableView* view_;
};
