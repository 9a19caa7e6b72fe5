#pragma once
// Runs a macro file in the windowed program through the frame's command interpreter (the one
// behind the command panel): its lines go to the frame's windows, which show what each line
// did; SAVEFIGURE writes the current figure and EXIT closes the program. Relative SAVE and
// SAVEFIGURE paths go beside the macro file. Lines that failed are told in one message.
#include <QString>

class Dialogs;
class MainFrame;
class SessionDatabase;

class FrameMacro {
public:
    static QString failedHeading(const QString& path) {
        return QStringLiteral("Lines of macro ") + path + QStringLiteral(" that failed:");
    }

    // appPath: the program's folder ("@/" in paths); lastFilesIni: the user's lastfiles.ini.
    // False when the file cannot be read or a line failed.
    static bool run(const QString& path, MainFrame& frame, SessionDatabase& session,
                    Dialogs& dialogs, const QString& appPath, const QString& lastFilesIni);
};
