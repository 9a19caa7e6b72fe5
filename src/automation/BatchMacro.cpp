#include "automation/BatchMacro.h"

#include "db/SessionDatabase.h"
#include "diagram/DiagramObjectController.h"
#include "diagram/objects/DiagramObjectCommands.h"
#include "platform/ScriptedDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
// The command library's "CLIPDATA" verbs that the ClipData sheet runs.
bool isClipDataVerb(const QString& keyword) {
    static const QStringList verbs{QStringLiteral("OPEN"), QStringLiteral("SAVE"),
                                   QStringLiteral("CREATEIDCOL"),
                                   QStringLiteral("FIRSTISHEADERROW")};
    return verbs.contains(keyword);
}
} // namespace

BatchMacro::BatchMacro(SessionDatabase& session, Dialogs& dialogs, Status& status, QString appPath,
                       QString outFolder, const QString& lastFilesIni, FigureSaver saver,
                       Windows windows)
    : session_(session)
    , dialogs_(dialogs)
    , transcript_(dynamic_cast<const ScriptedDialogs*>(&dialogs))
    , status_(status)
    , appPath_(std::move(appPath))
    , outFolder_(std::move(outFolder))
    , saver_(std::move(saver))
    , windows_(std::move(windows))
    , ownClipData_(windows_.clipData
                       ? nullptr
                       : std::make_unique<ClipDataWindow>(session, dialogs, status, lastFilesIni))
    , clipData_(windows_.clipData ? windows_.clipData : ownClipData_.get()) {}

BatchMacro::~BatchMacro() = default;

bool BatchMacro::run(const QString& macroText) {
    bool ok = true;
    for (const QString& raw : macroText.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('\'')))
            continue;
        if (line.section(QLatin1Char(' '), 0, 0).toUpper() == QLatin1String("EXIT")) {
            record(QStringLiteral("ok     ") + line);
            if (windows_.exit)
                windows_.exit();
            break;
        }
        const size_t shownFrom = shownCount();
        refusals_.clear();
        const bool done = runLine(line);
        record(entry(line, done, shownFrom));
        ok = ok && done;
        if (windows_.changed)
            windows_.changed();
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
    said << refusals_;
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
    refusals_ << reason;
    return false;
}

bool BatchMacro::runLine(const QString& line) {
    const QString keyword = line.section(QLatin1Char(' '), 0, 0).toUpper();
    const QString arguments = line.section(QLatin1Char(' '), 1).trimmed();
    if (keyword == QLatin1String("OPENDB"))
        return openDatabase(arguments);
    const QString target = arguments.toUpper();
    if (keyword == QLatin1String("VIEW")) {
        if (target == QLatin1String("CLIPDATA"))
            return true;
        if (target != QLatin1String("XY") && windows_.showWindow && windows_.showWindow(target))
            return true;
        if (target != QLatin1String("XY"))
            return refuse(QStringLiteral("VIEW ") + arguments +
                          QStringLiteral(" is not available in a batch run"));
        openDiagram();
        return true;
    }
    if (keyword == QLatin1String("SETACTIVEWINDOW")) {
        if (target == QLatin1String("CLIPDATA") || target == QLatin1String("XY") ||
            target == QLatin1String("GRAPH"))
            return true;
        return refuse(QStringLiteral("SETACTIVEWINDOW ") + arguments +
                      QStringLiteral(" names no window"));
    }
    if (isClipDataVerb(keyword))
        return runClipData(keyword, arguments);
    if (keyword == QLatin1String("SAVEFIGURE"))
        return saveFigure(arguments);
    const size_t shownBefore = shownCount();
    if (DiagramObjectController* objects = diagram().objects)
        if (const auto ran = DiagramObjectCommands::run(*objects, line)) {
            // Naming without a discrimination before it has nothing to say.
            if (!*ran && DiagramObjectCommands::opensWindow(line))
                return refuse(keyword + QStringLiteral(" is not available in a batch run"));
            if (!*ran && shownCount() == shownBefore)
                return refuse(QStringLiteral("No groups to name: discriminate first"));
            return *ran;
        }
    if (diagram().runCommand(line))
        return true;
    // A failed draw has said why; a line the window does not take has not.
    if (shownCount() == shownBefore)
        return refuse(QStringLiteral("The diagram window does not know this command or its "
                                     "arguments"));
    return false;
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

bool BatchMacro::openDatabase(const QString& path) {
    session_.SessionDatabasePath = resolved(path, false);
    return session_.OpenSessionDatabase({true, false, false});
}

bool BatchMacro::runClipData(const QString& verb, const QString& arguments) {
    // Without a path OPEN would ask for a file, and nobody is there to answer.
    if (verb == QLatin1String("OPEN") && arguments.isEmpty())
        return refuse(QStringLiteral("OPEN needs a file name in a batch run"));
    const bool save = verb == QLatin1String("SAVE");
    const QString path = resolved(arguments, save);
    if (!clipData_->runCommand(verb + QLatin1Char(' ') + path))
        return false;
    if (save)
        written_ << path;
    return true;
}

bool BatchMacro::saveFigure(const QString& arguments) {
    const DiagramWindow* diagram = currentDiagram();
    if (arguments.isEmpty())
        return refuse(QStringLiteral("SAVEFIGURE needs a file name"));
    // After a failed draw the window holds no figure: saving would pass an older one off as
    // the one this line asked for.
    if (!diagram || !diagram->hasFigure())
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
    if (!saver_ || !saver_(diagram->figure(), path, size))
        return refuse(QStringLiteral("Error in writing file ") + path);
    written_ << path;
    return true;
}

void BatchMacro::openDiagram() {
    if (windows_.openDiagram && windows_.openDiagram())
        return;
    ownObjects_.reset();
    ownDiagram_ = std::make_unique<DiagramWindow>(session_, dialogs_, status_);
    ownDiagram_->setClipDataSource([this]() -> Sheet* { return &clipData_->sheet().activePage(); });
    ownObjects_ = std::make_unique<DiagramObjectController>(*ownDiagram_, session_, dialogs_);
}

DiagramWindow* BatchMacro::currentDiagram() const {
    if (windows_.currentDiagram)
        if (DiagramWindow* shown = windows_.currentDiagram())
            return shown;
    return ownDiagram_.get();
}

DiagramWindow& BatchMacro::diagram() {
    if (!currentDiagram())
        openDiagram();
    return *currentDiagram();
}
