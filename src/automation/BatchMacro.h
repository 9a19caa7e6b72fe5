#pragma once
// Runs a macro's lines one after the other through the command interpreter, as the macro panel
// does, and keeps a log of each: what came of it and the texts the dialogs showed for it, so a
// batch run can be read afterwards. Each entry goes to the sink as soon as its line has run, so
// a run that crashes still leaves the entries up to the failing line. Beyond the command
// language it takes "'" comment lines, "@/" (the program's folder) at the start of the paths of
// OPENDB, OPEN, PBOPEN, SAVE and PBSAVE, relative SAVE and PBSAVE paths in the output folder, EXIT
// (ends the macro), and
//
//   SAVEFIGURE path [width height]   writes the current diagram's figure; the extension picks
//                        the format (.png, .svg, .pdf); a relative path goes into the output
//                        folder. Fails when the last draw failed: there is no figure then.
//
// A keyword the command library lacks is logged as "unknown command" and does not fail the
// run; a known command that fails does. Without a host of the running program the macro keeps
// its own windows (BatchCommandHost). Holds its caller's session.
#include "automation/CommandInterpreter.h"
#include "db/SystemTables.h"
#include "figure/Figure.h"

#include <QSize>
#include <functional>
#include <memory>

class BatchCommandHost;
class ClipDataWindow;
class CommandHost;
class Dialogs;
class ScriptedDialogs;
class SessionDatabase;
class Status;

class BatchMacro {
public:
    using FigureSaver = std::function<bool(const Figure&, const QString& path, QSize size)>;
    // Receives each line's log entry as soon as the line has run.
    using EntrySink = std::function<void(const QString& entry)>;
    static constexpr QSize defaultSize{800, 600};

    // lastFilesIni: the user's lastfiles.ini (ClipData's last file, the recent databases).
    // Scripted dialogs (a batch run) have nobody to answer, so what they showed goes into each
    // line's log entry; in the windowed program the person has seen the boxes themselves.
    // host: the running program's windows; none: the macro's own.
    BatchMacro(SessionDatabase& session, Dialogs& dialogs, Status& status, QString appPath,
               QString outFolder, const QString& lastFilesIni, FigureSaver saver,
               CommandHost* host = nullptr);
    ~BatchMacro();

    void setEntrySink(EntrySink sink) { sink_ = std::move(sink); }
    // False when any line failed; the others still run.
    bool run(const QString& macroText);
    // Told when EXIT ends the macro.
    std::function<void()> exit;
    // One entry per line: "ok     " or "FAILED " and the line, then each text the dialogs
    // showed for it (and the command's note) on lines of their own, indented.
    const QStringList& log() const { return log_; }
    // The files written (figures and ClipData saves), in order.
    const QStringList& written() const { return written_; }
    // The macro's own ClipData window; nullptr when it runs in the program's windows.
    ClipDataWindow* ownClipData() const;
    // The macro's own windows (not the program's) draw a book's spider figures from this
    // system database.
    void setSystemDatabase(const QString& path, const SystemTables& names);

private:
    bool runLine(const QString& line);
    bool saveFigure(const QString& arguments);
    // "@/" at the start is the program's folder; with inOutFolder a relative path goes there.
    QString resolved(const QString& path, bool inOutFolder) const;

    // The entry of a line that has run; shownFrom: the first dialog text shown for it.
    QString entry(const QString& line, bool done, size_t shownFrom) const;
    bool refuse(const QString& reason);
    size_t shownCount() const;
    void record(const QString& entry);

    const ScriptedDialogs* transcript_; // the dialogs' log, when they are scripted
    QString appPath_;
    QString outFolder_;
    FigureSaver saver_;
    std::unique_ptr<BatchCommandHost> own_;
    CommandHost& host_;
    CommandInterpreter interpreter_;
    EntrySink sink_;
    QStringList notes_; // what the line running now said beyond the dialogs
    // Whether the line before was PBNEXT or PBPREVIOUS, and the figure it drew (none after a
    // failed draw): SAVEFIGURE then writes that one.
    bool bookStep_ = false;
    const Figure* bookFigure_ = nullptr;
    QStringList log_;
    QStringList written_;
};
