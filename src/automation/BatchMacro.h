#pragma once
// Runs a macro without a display: the lines that open a database, fill the ClipData sheet, open
// a diagram window, draw and save the figure. One command per line; "'" starts a comment line.
// Lines go to a window by their verb, as the command library's window types say. Every line is
// logged with what came of it and the texts the dialogs showed for it, so a batch run can be
// read afterwards; each entry goes to the sink as soon as its line has run, so a run that
// crashes still leaves the entries up to the failing line. Holds its caller's session.
//
//   OPENDB path          opens the session database; "@/" at the start is the program's folder
//   VIEW XY              opens a new diagram window (VIEW CLIPDATA: the sheet is always there)
//   OPEN path, SAVE path, CREATEIDCOL, FIRSTISHEADERROW   go to the ClipData sheet; a relative
//                        SAVE path goes into the output folder, "@/" as for OPENDB
//   SETACTIVEWINDOW CLIPDATA|XY|GRAPH   accepted; the verbs already name their window
//   USECLIPDATA 0|1, CLIPDATAONOFF      the diagram window's "Use ClipData"
//   DRAW2 ..., DRAW, AXISXLOG, ...   go to the diagram window (one is opened when needed)
//   DISCRPOLYGON, DISCRTRENDLINE, DISCRRENAME   the window's discrimination by its polygons or
//                        trendlines, and the naming of the groups (an input box per group)
//   OBJECTLIBRARY, OBJECTHEADER   the object library browser and the header editor (in the
//                        windowed program only)
//   SAVEFIGURE path [width height]   writes the window's figure; the extension picks the format
//                        (.png, .svg, .pdf); a relative path goes into the output folder. Fails
//                        when the last draw failed: there is no figure to save then
//   EXIT                 ends the macro (and, in the windowed program, the program)
//
// Without windows of its own (a batch run) the macro keeps one ClipData sheet and one diagram
// window; in the windowed program the lines go to the frame's ClipData sheet and diagram windows.
#include "clipdata/ClipDataWindow.h"
#include "diagram/DiagramWindow.h"

#include <QSize>
#include <functional>
#include <memory>

class DiagramObjectController;
class ScriptedDialogs;
class SessionDatabase;
class Status;

// The windows of a running program; each left empty is the macro's own.
struct BatchMacroWindows {
    ClipDataWindow* clipData = nullptr;
    // VIEW XY: a new diagram window; current: the one diagram lines go to (none: nullptr).
    std::function<DiagramWindow*()> openDiagram;
    std::function<DiagramWindow*()> currentDiagram;
    // After each line: the windows show what it changed.
    std::function<void()> changed;
    // EXIT.
    std::function<void()> exit;
    // VIEW with another keyword (CONV): shows that window; false when there is none.
    std::function<bool(const QString& keyword)> showWindow;
};

class BatchMacro {
public:
    using FigureSaver = std::function<bool(const Figure&, const QString& path, QSize size)>;
    // Receives each line's log entry as soon as the line has run.
    using EntrySink = std::function<void(const QString& entry)>;
    static constexpr QSize defaultSize{800, 600};

    using Windows = BatchMacroWindows;

    // lastFilesIni: the user's lastfiles.ini, where ClipData keeps the file it opened last.
    // Scripted dialogs (a batch run) have nobody to answer, so what they showed goes into each
    // line's log entry; in the windowed program the person has seen the boxes themselves.
    BatchMacro(SessionDatabase& session, Dialogs& dialogs, Status& status, QString appPath,
               QString outFolder, const QString& lastFilesIni, FigureSaver saver,
               Windows windows = {});
    ~BatchMacro();

    void setEntrySink(EntrySink sink) { sink_ = std::move(sink); }
    // False when any line failed; the others still run.
    bool run(const QString& macroText);
    // One entry per line: "ok     " or "FAILED " and the line, then each text the dialogs
    // showed for it (and why the batch run itself refused it) on lines of their own, indented.
    const QStringList& log() const { return log_; }
    // The files written (figures and ClipData saves), in order.
    const QStringList& written() const { return written_; }
    ClipDataWindow& clipData() { return *clipData_; }

private:
    bool runLine(const QString& line);
    bool openDatabase(const QString& path);
    bool saveFigure(const QString& arguments);
    bool runClipData(const QString& verb, const QString& arguments);
    // "@/" at the start is the program's folder; with inOutFolder a relative path goes there.
    QString resolved(const QString& path, bool inOutFolder) const;
    void openDiagram();
    DiagramWindow& diagram();
    DiagramWindow* currentDiagram() const;

    // The entry of a line that has run; shownFrom: the first dialog text shown for it.
    QString entry(const QString& line, bool done, size_t shownFrom) const;
    bool refuse(const QString& reason);
    size_t shownCount() const;
    void record(const QString& entry);

    SessionDatabase& session_;
    Dialogs& dialogs_;
    const ScriptedDialogs* transcript_; // the dialogs' log, when they are scripted
    Status& status_;
    QString appPath_;
    QString outFolder_;
    FigureSaver saver_;
    Windows windows_;
    std::unique_ptr<ClipDataWindow> ownClipData_;
    ClipDataWindow* clipData_;
    std::unique_ptr<DiagramWindow> ownDiagram_;
    std::unique_ptr<DiagramObjectController> ownObjects_; // goes before its window
    EntrySink sink_;
    QStringList refusals_; // the batch run's own reasons for the line running now
    QStringList log_;
    QStringList written_;
};
