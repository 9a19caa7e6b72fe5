#pragma once
// Runs a macro without a display: the lines that open a database, open a diagram window, draw
// and save the figure. One command per line; "'" starts a comment line. Every line is logged
// with what came of it, so a batch run can be read afterwards. Holds its caller's session.
//
//   OPENDB path          opens the session database; "@/" at the start is the program's folder
//   VIEW XY              opens a new diagram window
//   DRAW2 ..., DRAW, AXISXLOG, ...   go to the diagram window (one is opened when needed)
//   SAVEFIGURE path [width height]   writes the window's figure; the extension picks the format
//                        (.png, .svg, .pdf); a relative path goes into the output folder
#include "diagram/DiagramWindow.h"

#include <QSize>
#include <functional>
#include <memory>

class Dialogs;
class SessionDatabase;
class Status;

class BatchMacro {
public:
    using FigureSaver = std::function<bool(const Figure&, const QString& path, QSize size)>;
    static constexpr QSize defaultSize{800, 600};

    BatchMacro(SessionDatabase& session, Dialogs& dialogs, Status& status, QString appPath,
               QString outFolder, FigureSaver saver);
    ~BatchMacro();

    // False when any line failed; the others still run.
    bool run(const QString& macroText);
    const QStringList& log() const { return log_; }
    // The figure files written, in order.
    const QStringList& written() const { return written_; }

private:
    bool runLine(const QString& line);
    bool openDatabase(const QString& path);
    bool saveFigure(const QString& arguments);
    DiagramWindow& diagram();

    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    QString appPath_;
    QString outFolder_;
    FigureSaver saver_;
    std::unique_ptr<DiagramWindow> diagram_;
    QStringList log_;
    QStringList written_;
};
