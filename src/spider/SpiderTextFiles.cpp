#include "spider/SpiderTextFiles.h"

#include "spider/SpiderLibrary.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSet>

namespace {

bool writeLines(const QString& path, const QStringList& lines) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString& line : lines)
        file.write((line + QStringLiteral("\r\n")).toUtf8());
    return file.commit();
}

std::optional<std::vector<QStringList>> readRows(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::vector<QStringList> rows;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).remove(u'\r');
        if (!line.trimmed().isEmpty())
            rows.push_back(SpiderTextFiles::splitRow(line));
    }
    return rows;
}

} // namespace

QString SpiderTextFiles::joinRow(const QStringList& cells) {
    QStringList out;
    for (QString cell : cells) {
        if (cell.contains(u';') || cell.contains(u'"'))
            cell = u'"' + cell.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
        out << cell;
    }
    return out.join(u';');
}

QStringList SpiderTextFiles::splitRow(const QString& line) {
    QStringList cells;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') {
                cell += c;
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == u'"' && cell.isEmpty()) {
            quoted = true;
        } else if (c == u';') {
            cells << cell;
            cell.clear();
        } else {
            cell += c;
        }
    }
    cells << cell;
    return cells;
}

QString SpiderTextFiles::write(SpiderLibrary& library, const QString& folder) {
    const auto types = library.types();
    const auto samples = library.samples();
    if (!types || !samples)
        return library.lastError();
    QStringList main;
    for (const SpiderType& t : *types)
        main << joinRow(QStringList{t.name} + t.elements);
    QStringList norm;
    for (const NormalizationSample& s : *samples)
        norm << joinRow(QStringList{s.spiderType, s.name} + s.values);
    const QDir dir(folder);
    for (const auto& [name, lines] : {std::pair{mainFile(), main}, std::pair{normFile(), norm}})
        if (!writeLines(dir.filePath(name), lines))
            return QStringLiteral("Error in writing file ") + dir.filePath(name);
    return {};
}

SpiderTextFiles::Imported
SpiderTextFiles::read(SpiderLibrary& library, const QString& folder,
                      const std::function<bool(const QString& type)>& replace) {
    Imported result;
    const QDir dir(folder);
    const auto mainRows = readRows(dir.filePath(mainFile()));
    const auto normRows = readRows(dir.filePath(normFile()));
    const auto types = library.types();
    const auto samples = library.samples();
    if (!mainRows || !normRows || !types || !samples) {
        result.error = !mainRows   ? dir.filePath(mainFile())
                       : !normRows ? dir.filePath(normFile())
                                   : library.lastError();
        return result;
    }
    QSet<QString> typeNames;
    for (const SpiderType& t : *types)
        typeNames.insert(t.name);
    for (const QStringList& row : *mainRows) {
        const QString name = row.value(0).trimmed();
        if (name.isEmpty())
            continue;
        if (typeNames.contains(name)) {
            if (!replace(name) || !library.removeType(name, false))
                continue;
        }
        if (library.addType({name, row.mid(1, SpiderLibrary::maxPositions)})) {
            typeNames.insert(name);
            ++result.types;
        }
    }
    QSet<QPair<QString, QString>> taken;
    for (const NormalizationSample& s : *samples)
        taken.insert({s.spiderType, s.name});
    for (const QStringList& row : *normRows) {
        const QPair<QString, QString> id{row.value(0).trimmed(), row.value(1).trimmed()};
        if (id.first.isEmpty() || id.second.isEmpty() || taken.contains(id))
            continue;
        if (library.addSample({id.first, id.second, row.mid(2, SpiderLibrary::maxPositions)})) {
            taken.insert(id);
            ++result.samples;
        }
    }
    return result;
}
