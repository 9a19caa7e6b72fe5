#include "automation/CommandLibrary.h"

namespace {
std::vector<CommandLibraryRow> shippedRows() {
    const QStringList graph{
        "ADDTOPICTUREBOOK", "AXISSCALES", "AXISUNITS", "AXISXLIN", "AXISXLOG", "AXISYLIN",
        "AXISYLOG", "CLASSES", "CLASSESOFF", "CLIPDATAONOFF", "DDE", "DDEREFRESH", "DISCRPOLYGON",
        "DISCRRENAME", "DISCRTODB", "DISCRTRENDLINE", "DRAW", "DRAW2", "DRAWNEXTFROMPICTUREBOOK",
        "DRAWPOINT", "DRAWPOLYGON", "DRAWPOLYLINE", "DRAWPREVIOUSFROMPICTUREBOOK", "DRAWTEXT",
        "DRAWTRENDLINE", "EDIT", "FILE", "FILTER", "FILTEROFF", "FILTERON", "FILTERONOFF", "FIT",
        "LEGEND", "LINEARFIT", "LINK", "OBJECTHEADER", "OBJECTLIBRARY", "PICBOOK",
        "SHOWSAMPLEBROWSER", "STYLES", "TABLESFIELDS", "UPDATE", "USECLIPDATA", "XFIELD", "XTABLE",
        "XTABLEFIELD", "YFIELD", "YTABLE", "YTABLEFIELD",
        // The diagram window's menu actions.
        "<EDIT_COPY", "<EDIT_COPY_LEGEND_ONLY", "<EDIT_PASTE_CLIPDATA", "<EDIT_FIND",
        "<EDIT_SELECT_START", "<EDIT_SELECT_END", "<EDIT_SELECT_ALL", "<EDIT_SELECT_CLEAR",
        "<EDIT_VIEW_SELECTED_IN_TABLE", "<FILE_CLOSE", "<FILE_OPEN_AKR", "<FILE_OPEN_STYLE",
        "<FILE_OPEN_STYLE_LIBRARY", "<FILE_OPEN_TABLE", "<FILE_OPEN_TEMPLATE", "<FILE_PRINT",
        "<FILE_SAVE_AKR", "<FILE_SAVE_AKR_AS", "<FILE_SAVE_AS_DEFAULT_STYLE",
        "<FILE_SAVE_AS_DEFAULT_TEMPLATE", "<FILE_SAVE_STYLE", "<FILE_SAVE_TEMPLATE",
        // Edit > Paste Special, recorded and replayed as ">PASTESPECIAL_" lines.
        "<PASTESPECIAL_VALUES", "<PASTESPECIAL_TRANSPOSE_AS_VALUES",
        "<PASTESPECIAL_TRENDLINE_EQUATION", "<PASTESPECIAL_POLYGON_NODES"};
    const QStringList clipData{"CREATEIDCOL", "FIRSTISHEADERROW", "OPEN", "SAVE",
                               "SETACTIVEWINDOW"};
    const QStringList main{"OPENDB", "SHOW", "VIEW"};
    const QStringList book{"OPENPICBOOK", "PBADD",      "PBANIRUN", "PBNEXT",
                           "PBOPEN",      "PBPREVIOUS", "PBSAVE"};
    std::vector<CommandLibraryRow> rows;
    const auto add = [&rows](const QStringList& keywords, const QString& type) {
        for (const QString& k : keywords)
            rows.push_back({k, k, type});
    };
    add(graph, CommandLibrary::graph());
    add(clipData, CommandLibrary::clipData());
    add(main, CommandLibrary::mainWindow());
    add(book, CommandLibrary::pictureBook());
    return rows;
}
} // namespace

CommandLibrary::CommandLibrary(const std::vector<CommandLibraryRow>& rows) {
    for (const CommandLibraryRow& row : rows) {
        if (row.keyword.isEmpty())
            break;
        rows_.push_back(row);
    }
}

const CommandLibrary& CommandLibrary::embedded() {
    static const CommandLibrary library(shippedRows());
    return library;
}

const CommandLibraryRow* CommandLibrary::find(const QString& keyword) const {
    for (const CommandLibraryRow& row : rows_)
        if (row.keyword == keyword)
            return &row;
    return nullptr;
}

QStringList CommandLibrary::keywordsStartingWith(const QString& prefix) const {
    QStringList out;
    for (const CommandLibraryRow& row : rows_)
        if (row.keyword.startsWith(prefix))
            out << row.keyword;
    return out;
}

QStringList CommandLibrary::keywordsOf(const QString& windowType) const {
    QStringList out;
    for (const CommandLibraryRow& row : rows_)
        if (row.windowType == windowType)
            out << row.keyword;
    return out;
}
