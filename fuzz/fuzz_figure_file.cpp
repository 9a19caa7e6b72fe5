// Any bytes as a graph file (.akr) and as a chart template (.oc2), opened in a diagram window the
// way "Open AKR" and "Open Template" open them, then scaled, made logarithmic, given a fixed
// axis ratio and copied as data points. Nothing crashes; a graph file that opens saves and
// opens again as the same file.
#include "FuzzInput.h"
#include "db/SessionDatabase.h"
#include "diagram/DiagramWindow.h"
#include "diagram/FigureFile.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Sheet.h"
#include "platform/sqlite/SqliteConnection.h"

namespace {

struct Window {
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    SessionDatabase session{dialogs, status,
                            [](const QString& p) { return SqliteConnection::open(p); },
                            [](const QString&) { return QString(); }};
    DiagramWindow window{session, dialogs, status};
    Sheet sheet;
    Window() {
        window.setClipDataSource([this] { return &sheet; });
    }
};

// What a person can do with an opened figure that reads its numbers.
void useFigure(DiagramWindow& window) {
    for (const char* command : {"AXISXLOG", "AXISYLOG", "AXISXLIN", "AXISYLIN"})
        window.runCommand(QString::fromLatin1(command));
    window.setAxisRatio(0.5);
    window.setAxisRatio(std::nullopt);
    window.resetScale();
    window.orderLegend({});
    window.copyDataPoints();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::WorkFiles files;
    const QByteArray input = fuzz::bytes(data, size);
    {
        Window w;
        if (w.window.openGraphFile(files.write(QStringLiteral("input.akr"), input))) {
            const QByteArray opened = FigureFile::toJson(w.window.figure());
            useFigure(w.window);
            Window again;
            const QString saved = files.path(QStringLiteral("saved.akr"));
            fuzz::check(FigureFile::save(saved, *FigureFile::fromJson(opened)),
                        "an opened graph file cannot be saved");
            fuzz::check(again.window.openGraphFile(saved) &&
                            FigureFile::toJson(again.window.figure()) == opened,
                        "a graph file changes when saved and opened again");
        }
    }
    Window w;
    if (w.window.openTemplate(files.write(QStringLiteral("input.oc2"), input)))
        useFigure(w.window);
    return 0;
}
