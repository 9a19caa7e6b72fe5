#include "grid/GridController.h"

#include "db/FieldValues.h"
#include "db/PrimaryKey.h"
#include "db/SessionDatabase.h"
#include "grid/GridCaption.h"
#include "grid/OpenViews.h"
#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "platform/JetSqlQuoting.h"
#include "platform/JetSqlTokenizer.h"
#include "platform/NumberText.h"
#include "platform/Status.h"

GridController::GridController(SessionDatabase& session, Dialogs& dialogs, Status& status,
                               OpenViews& views)
    : session_(session)
    , dialogs_(dialogs)
    , status_(status)
    , views_(views) {}

GridController::~GridController() {
    if (!name_.isEmpty())
        views_.remove(name_);
}

QString GridController::tableOf(const QString& statement) {
    const auto tokens = JetSqlTokenizer::tokenize(statement).tokens;
    bool afterFrom = false;
    for (const JetSqlToken& t : tokens) {
        if (t.kind == JetSqlToken::Kind::Whitespace)
            continue;
        if (afterFrom)
            return t.kind == JetSqlToken::Kind::Name || t.kind == JetSqlToken::Kind::Word
                       ? t.value
                       : QString();
        afterFrom = t.isWord("FROM");
    }
    return {};
}

bool GridController::readsOneTable(const QString& statement) {
    const auto tokenized = JetSqlTokenizer::tokenize(statement);
    if (!tokenized.ok())
        return false;
    std::vector<JetSqlToken> tokens;
    for (const JetSqlToken& t : tokenized.tokens)
        if (t.kind != JetSqlToken::Kind::Whitespace)
            tokens.push_back(t);
    for (const JetSqlToken& t : tokens)
        for (const char* many : {"JOIN", "UNION", "INTERSECT", "EXCEPT", "GROUP", "TRANSFORM"})
            if (t.isWord(many))
                return false;
    int depth = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        depth += tokens[i].isPunctuation('(') - tokens[i].isPunctuation(')');
        if (!tokens[i].isWord("FROM"))
            continue;
        if (depth != 0 || i + 1 >= tokens.size() ||
            (tokens[i + 1].kind != JetSqlToken::Kind::Name &&
             tokens[i + 1].kind != JetSqlToken::Kind::Word))
            return false;
        if (i + 2 >= tokens.size())
            return true;
        const JetSqlToken& next = tokens[i + 2];
        return next.kind == JetSqlToken::Kind::Semicolon || next.isWord("WHERE") ||
               next.isWord("ORDER");
    }
    return false;
}

bool GridController::open(const QString& statement, const QString& caption) {
    if (!name_.isEmpty())
        views_.remove(name_);
    statement_ = statement;
    caption_ = caption;
    name_ = views_.add(GridCaption::nameOf(caption));
    sortText_.clear();
    return load();
}

bool GridController::load() {
    Connection* db = database();
    if (!db) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No database open"));
        return false;
    }
    const QString table = tableOf(statement_);
    const QStringList key = system_ || session_.catalogue().tableRow(table) > 0
                                ? PrimaryKey::of(*db, table)
                                : QStringList();
    auto source = std::make_unique<GridRowSource>(*db, statement_, sortText_,
                                                  readsOneTable(statement_) ? key : QStringList());
    if (!source->open()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("The rows of ") + statement_ +
                                                       QStringLiteral(" cannot be read:\r\n") +
                                                       source->error());
        return false;
    }
    target_ = {db, statement_, sortText_, table, key};
    model_ = std::make_unique<GridModel>(std::move(source));
    if (target_.writable())
        model_->setCellWriter([this](const RowSet::Row& row, int column, const CellValue& v) {
            return writeCell(row, column, v);
        });
    return true;
}

void GridController::useSystemDatabase(std::unique_ptr<Connection> system) {
    system_ = std::move(system);
}

Connection* GridController::database() const {
    if (system_)
        return system_.get();
    return session_.isOpen() ? session_.connection() : nullptr;
}

QStringList GridController::baseFields() const {
    if (!system_)
        return session_.catalogue().fieldNames(target_.table);
    return system_->columnNamesOf(target_.table).value_or(QStringList());
}

bool GridController::requery() {
    return !statement_.isEmpty() && load();
}

GridTarget GridController::target() const {
    return target_;
}

QString GridController::recordCounter(qsizetype current) const {
    const qsizetype count = model_ ? model_->source().rowCount() : 0;
    if (count == 0)
        return QStringLiteral("Rec 0 / 0");
    return QStringLiteral("Rec %1/%2").arg(current).arg(count);
}

bool GridController::headerClicked(int column) {
    return sortMode != SortMode::None && sortBy(column, sortMode == SortMode::Descending);
}

bool GridController::sortBy(int column, bool descending) {
    if (!model_ || column < 0 || column >= model_->columnCount())
        return false;
    sortText_ = JetSqlQuoting::name(model_->source().columnNames()[column]);
    if (descending)
        sortText_ += QStringLiteral(" DESC");
    return applySort();
}

std::optional<GridController::SortKey> GridController::primarySortKey() const {
    if (!model_)
        return std::nullopt;
    QStringList words;
    int keys = 1;
    for (const JetSqlToken& t : JetSqlTokenizer::tokenize(sortText_).tokens) {
        if (t.kind == JetSqlToken::Kind::Whitespace)
            continue;
        if (t.value == QStringLiteral(",")) {
            ++keys;
            continue;
        }
        if (keys == 1)
            words << t.value;
    }
    if (words.isEmpty() || words.size() > 2)
        return std::nullopt;
    const int column = int(model_->source().columnNames().indexOf(words[0]));
    if (column < 0)
        return std::nullopt;
    const bool descending =
        words.size() == 2 && words[1].compare(QStringLiteral("DESC"), Qt::CaseInsensitive) == 0;
    return SortKey{column, descending, keys == 1};
}

bool GridController::andSort(int column, bool descending) {
    if (!model_ || column < 0 || column >= model_->columnCount())
        return false;
    if (!sortText_.isEmpty())
        sortText_ += QLatin1Char(',');
    sortText_ += JetSqlQuoting::name(model_->source().columnNames()[column]) +
                 (descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
    return applySort();
}

void GridController::clearSort() {
    sortText_.clear();
    if (model_)
        load();
}

QString GridController::sortingInfo() const {
    return QStringLiteral("SORTING SETTINGS:\r\n") + sortText_;
}

bool GridController::applySort() {
    if (sortText_.trimmed().isEmpty()) {
        const auto typed =
            dialogs_.input(Dialogs::title(), QStringLiteral("Enter sort column"), QString());
        if (!typed || typed->trimmed().isEmpty())
            return false;
        sortText_ = *typed;
    }
    status_.showStatus(QStringLiteral("Sorting..."), 1);
    const bool sorted = load();
    status_.showStatus(QString(), 0);
    if (!sorted)
        sortText_.clear();
    return sorted;
}

bool GridController::cellMatches(const CellValue& cell, const QString& text, bool wholeWord,
                                 bool matchCase) {
    if (cell.isMissing())
        return false;
    if (cell.kind() == CellValue::Kind::Number) {
        const auto n = NumberText::fromText(QStringView(text).trimmed());
        return n && (*cell.toNumber() == *n ||
                     NumberText::toDisplayText(*cell.toNumber()) == NumberText::toDisplayText(*n));
    }
    const QString value = cell.toText();
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    return wholeWord ? value.compare(text, cs) == 0 : value.startsWith(text, cs);
}

std::optional<GridController::Cell> GridController::find(const QString& text,
                                                         const std::vector<int>& columns,
                                                         bool wholeWord, bool matchCase, int from,
                                                         int until) const {
    if (!model_ || text.isEmpty())
        return std::nullopt;
    const int end = until < 0 ? model_->rowCount() : std::min(until, model_->rowCount());
    for (int r = std::max(from, 0); r < end; ++r) {
        const RowSet::Row* row = model_->row(r);
        if (!row)
            return std::nullopt;
        for (int c : columns)
            if (c >= 0 && c < int(row->size()) &&
                cellMatches((*row)[size_t(c)], text, wholeWord, matchCase))
                return Cell{r, c};
    }
    return std::nullopt;
}

bool GridController::writeCell(const RowSet::Row& row, int column, const CellValue& value) {
    const QStringList& names = model_->source().columnNames();
    RowSet shape(names);
    const auto where = target_.keyCondition(shape, row);
    if (!where || column < 0 || column >= names.size() || !baseFields().contains(names[column])) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("This cell cannot be written: it does not belong to a "
                                        "field of table ") +
                             target_.table + QStringLiteral(" with its key shown."));
        return false;
    }
    if (target_.writeField(*where, names[column], value))
        return true;
    dialogs_.message(MessageKind::Exclamation, QStringLiteral("The value cannot be written:\r\n") +
                                                   target_.database->lastError());
    return false;
}

QString GridController::fieldProperties(int row, int column) const {
    if (!model_ || column < 0 || column >= model_->columnCount())
        return {};
    const QString field = model_->source().columnNames()[column];
    ColumnDescription described;
    if (const auto columns = target_.database->columns())
        for (const ColumnDescription& c : *columns)
            if (c.table.compare(target_.table, Qt::CaseInsensitive) == 0 && c.name == field)
                described = c;
    const RowSet::Row* cells = model_->row(row);
    const QString value =
        cells && column < int(cells->size()) ? (*cells)[size_t(column)].toText() : QString();
    const QString length =
        described.maxLength >= 0 ? QString::number(described.maxLength) : QString();
    return QStringList{QStringLiteral("Field name: ") + field,
                       QStringLiteral("Type: ") + QString::number(described.typeCode) +
                           (described.declaredType.isEmpty()
                                ? QString()
                                : QStringLiteral(" (") + described.declaredType + QLatin1Char(')')),
                       QStringLiteral("Attributes: ") + (described.nullable
                                                             ? QStringLiteral("nullable")
                                                             : QStringLiteral("not null")),
                       QStringLiteral("DefinedSize: ") + length,
                       QStringLiteral("NumericScale: "),
                       QStringLiteral("OriginalValue: ") + value,
                       QStringLiteral("Precision: "),
                       QStringLiteral("UnderlyingValue: ") + value,
                       QStringLiteral("Value: ") + value}
        .join(QStringLiteral("\r\n"));
}

QString GridController::tableProperties() const {
    Connection* db = target_.database;
    const QString& table = target_.table;
    if (!db || table.isEmpty())
        return QStringLiteral("The grid does not show one table.");
    const auto same = [&table](const QString& name) {
        return name.compare(table, Qt::CaseInsensitive) == 0;
    };
    QString kind = QStringLiteral("table");
    if (const auto tables = db->tables())
        for (const TableDescription& t : *tables)
            if (same(t.name) && t.kind == TableDescription::Kind::View)
                kind = QStringLiteral("view (stored query)");
    QStringList lines{QStringLiteral("Table name: ") + table, QStringLiteral("Kind: ") + kind};
    if (const auto count =
            db->query(QStringLiteral("SELECT COUNT(*) FROM ") + JetSqlQuoting::name(table)))
        lines << QStringLiteral("Records: ") + count->at(0, 0).toText();
    QStringList fields;
    if (const auto columns = db->columns())
        for (const ColumnDescription& c : *columns)
            if (same(c.table))
                fields << QStringLiteral("  ") + c.name + QStringLiteral(": ") +
                              (c.declaredType.isEmpty() ? QString::number(c.typeCode)
                                                        : c.declaredType) +
                              (c.nullable ? QString() : QStringLiteral(" not null"));
    lines << QStringLiteral("Fields: ") + QString::number(fields.size()) << fields;
    QStringList indexes;
    QString primaryKey;
    if (const auto all = db->indexes())
        for (const IndexDescription& i : *all) {
            if (!same(i.table))
                continue;
            if (i.primaryKey)
                primaryKey = i.columns.join(QStringLiteral(", "));
            indexes << QStringLiteral("  ") + i.name + QStringLiteral(": ") +
                           i.columns.join(QStringLiteral(", ")) +
                           (i.primaryKey ? QStringLiteral(" (primary key)")
                            : i.unique   ? QStringLiteral(" (unique)")
                                         : QString());
        }
    lines << QStringLiteral("Primary key: ") + primaryKey
          << QStringLiteral("Indexes: ") + QString::number(indexes.size()) << indexes;
    return lines.join(QStringLiteral("\r\n"));
}

bool GridController::addRecord() {
    if (!target_.writable()) {
        dialogs_.message(
            MessageKind::Exclamation,
            QStringLiteral("Rows can not be added: the grid shows no table with a key."));
        return false;
    }
    QStringList names, marks;
    std::vector<CellValue> values;
    const FieldValues fieldValues(*target_.database, target_.table); // "007" stays a text key
    for (const QString& key : target_.key) {
        const auto value = dialogs_.input(
            Dialogs::title(),
            QStringLiteral("Give key value for the new row (") + key + QLatin1Char(')'), QString());
        if (!value || value->trimmed().isEmpty())
            return false;
        names << JetSqlQuoting::name(key);
        marks << QStringLiteral("?");
        values.push_back(fieldValues.of(key, value->trimmed()));
    }
    if (!target_.database->execute(
            QStringLiteral("INSERT INTO ") + JetSqlQuoting::name(target_.table) +
                QStringLiteral(" (") + names.join(QStringLiteral(", ")) +
                QStringLiteral(") VALUES (") + marks.join(QStringLiteral(", ")) + QLatin1Char(')'),
            values)) {
        dialogs_.message(MessageKind::Critical,
                         QStringLiteral("Row not added: ") + target_.database->lastError());
        return false;
    }
    return requery();
}
