#include "automation/MainCommands.h"

#include "automation/MacroRecorder.h"

MainCommands::MainCommands(Parts parts, MacroRecorder* recorder)
    : parts_(std::move(parts))
    , recorder_(recorder) {}

QStringList MainCommands::viewKeywords() {
    return {"XY",          "TERN",         "SPIDER", "DESCRSTAT",  "BOXANDWHISKER",
            "CORRELATION", "DISTRIBUTION", "TTEST",  "POPULATION", "CLIPDATA",
            "FILT",        "CALC",         "BOOK",   "CONV",       "HELPABOUT",
            "SQL",         "MODEL",        "CAT",    "REFRESH",    "STAT",
            "VIEW",        "HIDEB",        "EXIT",   "COMMAND",    "BDL"};
}

void MainCommands::registerView(const QString& keyword, Opener opener) {
    views_[keyword] = std::move(opener);
}

CommandResult MainCommands::view(const QString& keyword) {
    const QString upper = keyword.trimmed().toUpper();
    if (recorder_)
        recorder_->record(QStringLiteral("VIEW ") + upper, {upper});
    const auto found = views_.find(upper);
    if (found == views_.end())
        return {true, noWindow(upper)};
    return CommandResult::of(found->second());
}

QString MainCommands::caption() const {
    return parts_.caption ? parts_.caption() : QStringLiteral("QUV Data");
}

CommandResult MainCommands::runCommand(const MacroCommand& command) {
    const QString& k = command.keyword;
    if (k == QLatin1String("OPENDB"))
        return openDatabase(command);
    if (k == QLatin1String("SHOW") || k == QLatin1String("VIEW"))
        return view(command.wholeName());
    if (book_)
        return book_(command);
    return CommandResult::notAvailable(k);
}

CommandResult MainCommands::openDatabase(const MacroCommand& command) {
    const QString target = command.wholeName();
    if (target.isEmpty())
        return CommandResult::failed(QStringLiteral("OPENDB needs a number or a path"));
    bool numeric = false;
    const int entry = target.toInt(&numeric);
    QString path = target;
    if (numeric) {
        const QStringList recent =
            parts_.recentDatabases ? parts_.recentDatabases() : QStringList();
        if (entry < 1 || entry > recent.size() || recent[entry - 1].isEmpty())
            return CommandResult::failed(QStringLiteral("No recent database ") + target);
        path = recent[entry - 1];
    }
    return CommandResult::of(parts_.openDatabase && parts_.openDatabase(path));
}
