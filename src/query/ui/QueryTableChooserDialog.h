#pragma once
// "Select Table in Query": the tables of a query's FROM part (lstTa), OK and Cancel. OK hands
// the picked tables to QueryTableChooser, which opens them in a grid; the dialog stays open
// after "No table selected". Opens where it was last closed ("Tables").
#include <QDialog>

class QListWidget;
class QueryTableChooser;
class WindowGeometry;

class QueryTableChooserDialog : public QDialog {
    Q_OBJECT
public:
    QueryTableChooserDialog(QueryTableChooser& chooser, const WindowGeometry* geometry,
                            QWidget* parent = nullptr);

    QListWidget* tables() const { return tables_; }
    void done(int result) override;

private:
    void pick();

    QueryTableChooser& chooser_;
    const WindowGeometry* geometry_;
    QListWidget* tables_;
};
