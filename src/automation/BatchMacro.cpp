#include "automation/BatchMacro.h"

#include "db/SessionDatabase.h"

#include <QDir>
#include <QFileInfo>

BatchMacro::BatchMacro(SessionDatabase& session, Dialogs& dialogs, Status& status, QString appPath,
                       QString outFolder, FigureSaver saver)
    : session_(session)
    , dialogs_(dialogs)
    , status_(status)
    , appPath_(std::move(appPath))
    , outFolder_(std::move(outFolder))
    , saver_(std::move(saver)) {}

BatchMacro::~BatchMacro() = default;

bool BatchMacro::run(const QString& macroText) {
    bool ok = true;
    for (const QString& raw : macroText.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('\'')))
            continue;
        const bool done = runLine(line);
        log_ << (done ? QStringLiteral("ok     ") : QStringLiteral("FAILED ")) + line;
        ok = ok && done;
    }
    return ok;
}

bool BatchMacro::runLine(const QString& line) {
    const QString keyword = line.section(QLatin1Char(' '), 0, 0).toUpper();
    const QString arguments = line.section(QLatin1Char(' '), 1).trimmed();
    if (keyword == QLatin1String("OPENDB"))
        return openDatabase(arguments);
    if (keyword == QLatin1String("VIEW")) {
        if (arguments.compare(QStringLiteral("XY"), Qt::CaseInsensitive) != 0)
            return false;
        diagram_ = std::make_unique<DiagramWindow>(session_, dialogs_, status_);
        return true;
    }
    if (keyword == QLatin1String("SAVEFIGURE"))
        return saveFigure(arguments);
    return diagram().runCommand(line);
}

bool BatchMacro::openDatabase(const QString& path) {
    QString resolved = path;
    if (resolved.startsWith(QStringLiteral("@/")) || resolved.startsWith(QStringLiteral("@\\")))
        resolved = appPath_ + QLatin1Char('/') + resolved.mid(2);
    session_.SessionDatabasePath = QDir::fromNativeSeparators(resolved);
    return session_.OpenSessionDatabase({true, false, false});
}

bool BatchMacro::saveFigure(const QString& arguments) {
    if (!diagram_ || arguments.isEmpty())
        return false;
    const QStringList parts = arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QSize size = defaultSize;
    if (parts.size() >= 3) {
        const int w = parts[1].toInt();
        const int h = parts[2].toInt();
        if (w > 0 && h > 0)
            size = {w, h};
    }
    QString path = parts[0];
    if (QFileInfo(path).isRelative())
        path = QDir(outFolder_).filePath(path);
    if (!saver_ || !saver_(diagram_->figure(), path, size))
        return false;
    written_ << path;
    return true;
}

DiagramWindow& BatchMacro::diagram() {
    if (!diagram_)
        diagram_ = std::make_unique<DiagramWindow>(session_, dialogs_, status_);
    return *diagram_;
}
