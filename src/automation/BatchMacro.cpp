#include "automation/BatchMacro.h"

#include "automation/BatchCommandHost.h"
#include "db/SystemDatabase.h"
#include "diagram/DiagramCommands.h"
#include "diagram/DiagramWindow.h"
#include "platform/ScriptedDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

BatchMacro::BatchMacro(SessionDatabase& session, Dialogs& dialogs, Status& status, QString appPath,
                       QString outFolder, const QString& lastFilesIni, FigureSaver saver,
                       CommandHost* host)
    : transcript_(dynamic_cast<const ScriptedDialogs*>(&dialogs))
    , appPath_(std::move(appPath))
    , outFolder_(std::move(outFolder))
    , saver_(std::move(saver))
    , own_(host ? nullptr
                : std::make_unique<BatchCommandHost>(
                      session, dialogs, status, lastFilesIni,
                      [this](const QString& path) { return resolved(path, false); }))
    , host_(host ? *host : *own_)
    , interpreter_(host_) {}

BatchMacro::~BatchMacro() = default;

ClipDataWindow* BatchMacro::ownClipData() const {
    return own_ ? &own_->clipDataWindow() : nullptr;
}

void BatchMacro::setSystemDatabase(const QString& path, const SystemTables& names) {
    if (own_)
        own_->setSystemDatabase([path, names] { return SystemDatabase::open(path, names); }, names);
}

bool BatchMacro::run(const QString& macroText) {
    bool ok = true;
    for (const QString& raw : macroText.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('\'')))
            continue;
        if (line == QLatin1String("EXIT")) {
            record(QStringLiteral("ok     ") + line);
            if (exit)
                exit();
            break;
        }
        const size_t shownFrom = shownCount();
        notes_.clear();
        const bool done = runLine(line);
        record(entry(line, done, shownFrom));
        ok = ok && done;
    }
    return ok;
}

QString BatchMacro::entry(const QString& line, bool done, size_t shownFrom) const {
    QString text = (done ? QStringLiteral("ok     ") : QStringLiteral("FAILED ")) + line;
    QStringList said;
    if (transcript_) {
        const auto& shown = transcript_->log();
        for (size_t i = std::min(shownFrom, shown.size()); i < shown.size(); ++i)
            said << shown[i].text;
    }
    said << notes_;
    // Each text under the line it belongs to, one indented line per line of the text.
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    for (const QString& t : said)
        for (const QString& part : t.split(lineBreak))
            text += QStringLiteral("\n       ") + part;
    return text;
}

void BatchMacro::record(const QString& entry) {
    log_ << entry;
    if (sink_)
        sink_(entry);
}

size_t BatchMacro::shownCount() const {
    return transcript_ ? transcript_->log().size() : 0;
}

bool BatchMacro::refuse(const QString& reason) {
    notes_ << reason;
    return false;
}

bool BatchMacro::runLine(const QString& line) {
    const MacroCommand command = MacroCommand::parse(line);
    const QString& keyword = command.keyword;
    if (keyword == QLatin1String("SAVEFIGURE"))
        return saveFigure(command.rest);
    bookStep_ = false;
    QString run = line;
    // Without a path OPEN would ask for a file, and nobody is there to answer.
    if (keyword == QLatin1String("OPEN") && command.rest.isEmpty() && transcript_)
        return refuse(QStringLiteral("OPEN needs a file name in a batch run"));
    const bool save = keyword == QLatin1String("SAVE") || keyword == QLatin1String("PBSAVE");
    if (save || keyword == QLatin1String("OPEN") || keyword == QLatin1String("OPENDB") ||
        keyword == QLatin1String("PBOPEN"))
        run = keyword + QLatin1Char(' ') + resolved(command.rest, save);
    const CommandResult result = interpreter_.execute(run);
    // A book row may have been drawn outside the diagram windows (a box plot, a distribution).
    if (own_ && (keyword == QLatin1String("PBNEXT") || keyword == QLatin1String("PBPREVIOUS"))) {
        bookStep_ = true;
        bookFigure_ = result.ok ? own_->pictureBook().lastDrawn() : nullptr;
    }
    if (!result.note.isEmpty())
        notes_ << result.note;
    if (result.ok && save)
        written_ << resolved(command.rest, true);
    return result.ok;
}

QString BatchMacro::resolved(const QString& path, bool inOutFolder) const {
    QString out = path;
    if (out.startsWith(QStringLiteral("@/")) || out.startsWith(QStringLiteral("@\\")))
        out = appPath_ + QLatin1Char('/') + out.mid(2);
    out = QDir::fromNativeSeparators(out);
    if (inOutFolder && !out.isEmpty() && QFileInfo(out).isRelative())
        out = QDir(outFolder_).filePath(out);
    return out;
}

bool BatchMacro::saveFigure(const QString& arguments) {
    auto* commands = dynamic_cast<DiagramCommands*>(host_.currentDiagram());
    if (arguments.isEmpty())
        return refuse(QStringLiteral("SAVEFIGURE needs a file name"));
    // After a failed draw the window holds no figure: saving would pass an older one off as
    // the one this line asked for. After a book step the figure is the one it drew.
    const Figure* figure = bookStep_ ? bookFigure_
                           : commands && commands->window().hasFigure()
                               ? &commands->window().figure()
                               : nullptr;
    if (!figure)
        return refuse(QStringLiteral("No figure to save"));
    const QStringList parts = arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QSize size = defaultSize;
    if (parts.size() >= 3) {
        const int w = parts[1].toInt();
        const int h = parts[2].toInt();
        if (w > 0 && h > 0)
            size = {w, h};
    }
    const QString path = resolved(parts[0], true);
    if (!saver_ || !saver_(*figure, path, size))
        return refuse(QStringLiteral("Error in writing file ") + path);
    written_ << path;
    return true;
}
