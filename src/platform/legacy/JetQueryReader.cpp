#include "platform/legacy/JetQueryReader.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

std::optional<QString> runTool(const QString& tool, const QStringList& args, QString& error) {
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        error = QStringLiteral("mdb-queries failed: ") +
                QString::fromUtf8(p.readAllStandardError()).trimmed();
        p.kill();
        p.waitForFinished(1000);
        return std::nullopt;
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

std::optional<std::vector<JetQueryReader::Query>> JetQueryReader::read(const QString& mdbPath,
                                                                       QString& error) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("mdb-queries"));
    if (tool.isEmpty()) {
        error = QStringLiteral("mdb-queries is not installed");
        return std::nullopt;
    }
    const auto list = runTool(tool, {QStringLiteral("-L"), QStringLiteral("-1"), mdbPath}, error);
    if (!list)
        return std::nullopt;
    std::vector<Query> queries;
    for (const QString& line : list->split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString name = line.trimmed();
        if (name.isEmpty() || name.startsWith(QLatin1Char('~'))) // Access' own hidden queries
            continue;
        QString queryError;
        const auto sql = runTool(tool, {mdbPath, name}, queryError);
        if (sql)
            queries.emplace_back(name, sql->trimmed());
    }
    return queries;
}
