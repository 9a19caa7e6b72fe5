#include "automation/BookFieldResolver.h"

#include "db/SchemaCatalogue.h"
#include "platform/Dialogs.h"

bool BookFieldResolver::tableHasField(const QString& table, const QString& field) const {
    return catalogue_.fieldNames(table).contains(field, Qt::CaseInsensitive);
}

QString BookFieldResolver::resolve(const QString& table, const QString& field) {
    if (field.isEmpty() || tableHasField(table, field))
        return table;
    const QStringList tables = catalogue_.tableNames();
    const bool tableExists = tables.contains(table, Qt::CaseInsensitive);
    if (tableExists)
        dialogs_.message(MessageKind::Information, QStringLiteral("Field ") + field +
                                                       QStringLiteral(" not found in table ") +
                                                       table);
    QStringList holding;
    for (const QString& t : tables)
        if (t.compare(table, Qt::CaseInsensitive) != 0 && tableHasField(t, field))
            holding << t;
    if (holding.isEmpty()) {
        if (!tableExists)
            dialogs_.message(MessageKind::Information, QStringLiteral("Table ") + table +
                                                           QStringLiteral(" and field ") + field +
                                                           QStringLiteral(" not found."));
        return table;
    }
    QString prompt = QStringLiteral("Field ") + field + QStringLiteral(" found in tables");
    for (int i = 0; i < holding.size(); ++i)
        prompt += QStringLiteral("\r\n") + QString::number(i + 1) + QStringLiteral("- ") +
                  holding[i] + QStringLiteral(" = ") + field;
    prompt += QStringLiteral("\r\nGive number of the one like to select.");
    const auto answer = dialogs_.input(choiceTitle(), prompt, QStringLiteral("1"));
    if (!answer)
        return table;
    bool numeric = false;
    const int chosen = answer->trimmed().toInt(&numeric);
    if (!numeric || chosen < 1 || chosen > holding.size())
        return table;
    return holding[chosen - 1];
}

void BookFieldResolver::resolve(DiagramDefinition& d) {
    if (d.source == DiagramDefinition::Source::ClipData)
        return;
    for (int slot = 0; slot < 4; ++slot) {
        if (slot < 3 && d.isCalcAxis(slot))
            continue;
        QString& table = d.tables[size_t(slot)];
        if (table == DiagramDefinition::calcTable())
            continue;
        table = resolve(table, d.fields[size_t(slot)]);
    }
    for (DiagramDefinition::Set& s : d.sets) {
        s.xTable = resolve(s.xTable, s.xField);
        s.yTable = resolve(s.yTable, s.yField);
    }
}
