#pragma once
// ClipData's file menu: Open, Save, Reopen and New with their questions. Tab-delimited (.txt)
// and comma-separated (.csv) files hold one page and load into the active page; the program's
// workbook file (.qwb) and Excel files hold all pages and replace the whole workbook. Excel 97
// files (.xls) are only read: nothing free writes them, so all pages are saved as .xlsx or
// .qwb. The last file opened is kept first in the "ClipData" list of lastfiles.ini. A text file
// that is no UTF-8 is read as Windows-1252, and the status line says so.
#include <QString>

class ClipDataSheet;
class Dialogs;
class Status;

class ClipDataFiles {
public:
    static QString openFilter() {
        return QStringLiteral("Tab delimited text (*.txt)|*.txt|Comma separated values "
                              "(*.csv)|*.csv|Microsoft excel 5 files (*.xls)|*.xls|Microsoft "
                              "Excel files (*.xlsx)|*.xlsx|QUV workbook (*.qwb)|*.qwb|All files "
                              "(*.*)|*.*");
    }
    static QString saveFilter() {
        return QStringLiteral(
            "Tab delimited text (*.txt)|*.txt|Comma separated values "
            "(*.csv)|*.csv|QUV workbook (*.qwb)|*.qwb|Microsoft Excel files (*.xlsx)|*.xlsx");
    }

    ClipDataFiles(ClipDataSheet& clipData, Dialogs& dialogs, Status& status, QString lastFilesIni)
        : clipData_(clipData)
        , dialogs_(dialogs)
        , status_(status)
        , lastFilesIni_(std::move(lastFilesIni)) {}

    bool Open();
    bool Save();
    bool Reopen();
    bool New();

    // Without dialogs but for the messages: used by the menu and the command verbs.
    bool openPath(const QString& path);
    bool savePath(const QString& path);

private:
    bool failed(const QString& what, const QString& path, const QString& why);

    ClipDataSheet& clipData_;
    Dialogs& dialogs_;
    Status& status_;
    QString lastFilesIni_;
};
