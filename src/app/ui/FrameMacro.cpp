#include "app/ui/FrameMacro.h"

#include "app/ui/FrameCommands.h"
#include "app/ui/MainFrame.h"
#include "automation/BatchMacro.h"
#include "figure/ui/FigureExporter.h"
#include "platform/Dialogs.h"
#include "platform/qt/QtStatus.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

bool FrameMacro::run(const QString& path, MainFrame& frame, SessionDatabase& session,
                     Dialogs& dialogs, const QString& appPath, const QString& lastFilesIni) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs.message(MessageKind::Exclamation, QStringLiteral("The file ") + path +
                                                      QStringLiteral(" cannot be read: ") +
                                                      file.errorString());
        return false;
    }
    const QString text = QString::fromUtf8(file.readAll());
    bool exiting = false;
    BatchMacro macro(
        session, dialogs, frame.status(), appPath, QFileInfo(path).absolutePath(), lastFilesIni,
        [](const Figure& figure, const QString& out, QSize size) {
            return FigureExporter::save(figure, out, size);
        },
        frame.commands());
    macro.exit = [&exiting] { exiting = true; };
    const bool ok = macro.run(text);
    if (exiting) {
        frame.close();
        QApplication::quit();
        return ok;
    }
    frame.status().showStatus(QString(), 0);
    if (!ok)
        dialogs.message(
            MessageKind::Exclamation,
            failedHeading(path) + QStringLiteral("\r\n") +
                macro.log().filter(QStringLiteral("FAILED ")).join(QStringLiteral("\r\n")));
    return ok;
}
