#include "grid/GridChemistry.h"

#include "chem/ElementTable.h"
#include "chem/FieldNameChemistry.h"
#include "chem/OxideConverter.h"
#include "db/SchemaEditor.h"
#include "db/SessionDatabase.h"
#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "platform/Status.h"
#include "platform/TransactionScope.h"

namespace {
const QString crlf = QStringLiteral("\r\n");
const QString iron = QStringLiteral("Fe");
} // namespace

GridChemistry::GridChemistry(GridTarget target, SessionDatabase& session, Dialogs& dialogs,
                             Status& status)
    : target_(std::move(target))
    , session_(session)
    , dialogs_(dialogs)
    , status_(status) {}

bool GridChemistry::ready() {
    rows_ = target_.rowsToWrite(dialogs_);
    return rows_.has_value();
}

QString GridChemistry::columnName(int column) const {
    return GridTarget::columnName(rows_, column);
}

void GridChemistry::showError(const QString& what) {
    target_.showError(dialogs_, what);
}

QString GridChemistry::convertedFieldName(const QString& target) {
    const QString trimmed = target.trimmed();
    const qsizetype blank = trimmed.lastIndexOf(QLatin1Char(' '));
    if (blank < 0)
        return trimmed;
    const QString form = trimmed.left(blank).trimmed(), unit = trimmed.mid(blank + 1);
    return unit == QLatin1String("%") ? form + unit : form + QLatin1Char('_') + unit;
}

bool GridChemistry::calculateFeOTot(const std::vector<int>& rows, int firstColumn, int lastColumn) {
    if (!ready())
        return false;
    int total = -1;
    for (int c = 0; c < rows_->columnCount() && total < 0; ++c)
        if (columnName(c).toUpper().startsWith(QLatin1String("FEOTOT")))
            total = c;
    if (total < 0) {
        dialogs_.message(MessageKind::Information,
                         QStringLiteral("The grid has no column whose name begins with FEOTOT."));
        return false;
    }
    // The total's own unit when it names one, else per cent.
    const double totalUnit = FieldNameChemistry::unitFactorOfFieldName(columnName(total));
    const QString targetForm = QStringLiteral("FeO ") + (totalUnit == 1e4   ? QStringLiteral("ppm")
                                                         : totalUnit == 1e7 ? QStringLiteral("ppb")
                                                                            : QStringLiteral("%"));
    std::vector<std::pair<int, double>> sources; // column, factor into the total
    QStringList skipped;
    for (int c = firstColumn; c <= lastColumn && c < rows_->columnCount(); ++c) {
        QString symbol = columnName(c);
        if (c == total || FieldNameChemistry::elementOfFieldName(symbol) != 26)
            continue;
        if (const auto f = OxideConverter::factor(columnName(c), targetForm))
            sources.emplace_back(c, *f);
        else
            skipped << columnName(c);
    }
    if (sources.empty()) {
        dialogs_.message(MessageKind::Information,
                         QStringLiteral("Select the iron columns (FeO, Fe2O3, Fe) to add up."));
        return false;
    }
    TransactionScope transaction(*target_.database);
    if (!transaction.began()) {
        showError(QStringLiteral(
            "Nothing was changed: the database cannot be written (the transaction cannot begin)."));
        return false;
    }
    int written = 0;
    for (const int r : rows) {
        if (r < 0 || r >= rows_->rowCount())
            continue;
        const RowSet::Row& row = rows_->row(r);
        std::optional<double> sum;
        for (const auto& [c, factor] : sources)
            if (const auto v = row[size_t(c)].toNumber())
                sum = sum.value_or(0.0) + *v * factor;
        const auto where = target_.keyCondition(*rows_, row);
        if (!sum || !where)
            continue;
        if (!target_.writeField(*where, columnName(total), CellValue::number(*sum))) {
            showError(QStringLiteral("Nothing was changed: record ") + QString::number(r + 1) +
                      QStringLiteral(" cannot be written."));
            return false;
        }
        ++written;
    }
    if (!transaction.commit()) {
        showError(QStringLiteral("Nothing was changed."));
        return false;
    }
    QString report = columnName(total) + QStringLiteral(" calculated in ") +
                     QString::number(written) + QStringLiteral(" records.");
    if (!skipped.isEmpty())
        report += crlf + QStringLiteral("Not iron oxides, left out: ") +
                  skipped.join(QStringLiteral(", "));
    dialogs_.message(MessageKind::Information, report);
    return written > 0;
}

bool GridChemistry::writeConverted(int column, double factor, const QString& field, int* written) {
    *written = 0;
    const bool exists = rows_->columnIndex(field) >= 0 ||
                        session_.catalogue().fieldNames(target_.table).contains(field);
    if (exists && dialogs_.question(QStringLiteral("Field ") + field +
                                        QStringLiteral(" exists. Overwrite its values?"),
                                    QuestionButtons::YesNo) != Answer::Yes)
        return false;
    if (!exists) {
        SchemaEditor editor(*target_.database, session_.catalogue(), dialogs_);
        if (!editor.AddField(target_.table, field, QStringLiteral("DOUBLE"), {})) {
            dialogs_.message(MessageKind::Exclamation, QStringLiteral("Field ") + field +
                                                           QStringLiteral(" cannot be added.") +
                                                           crlf + editor.lastError());
            return false;
        }
    }
    TransactionScope transaction(*target_.database);
    if (!transaction.began()) {
        showError(QStringLiteral(
            "Nothing was changed: the database cannot be written (the transaction cannot begin)."));
        return false;
    }
    for (qsizetype r = 0; r < rows_->rowCount(); ++r) {
        const RowSet::Row& row = rows_->row(r);
        const auto value = row[size_t(column)].toNumber();
        const auto where = target_.keyCondition(*rows_, row);
        if (!value || !where)
            continue;
        if (!target_.writeField(*where, field, CellValue::number(*value * factor))) {
            showError(QStringLiteral("Nothing was changed: record ") + QString::number(r + 1) +
                      QStringLiteral(" cannot be written."));
            return false;
        }
        ++*written;
        if (r % 1000 == 0)
            status_.showStatus(QString(),
                               int(100 * r / std::max<qsizetype>(rows_->rowCount(), 1)) + 1);
    }
    status_.showStatus(QString(), 0);
    if (!transaction.commit()) {
        showError(QStringLiteral("Nothing was changed."));
        return false;
    }
    return true;
}

bool GridChemistry::convertColumns(int firstColumn, int lastColumn) {
    if (!ready())
        return false;
    QStringList done;
    for (int c = firstColumn; c <= lastColumn && c < rows_->columnCount(); ++c) {
        const QString name = columnName(c);
        const int z = FieldNameChemistry::elementOf(name);
        if (!z)
            continue;
        const QStringList oxides = ElementTable::instance().oxides(z);
        const QString suggestion =
            (oxides.isEmpty() ? ElementTable::instance().symbol(z) : oxides.front()) +
            QStringLiteral(" %");
        const auto target =
            dialogs_.input(QStringLiteral("Convert"),
                           QStringLiteral("Convert column ") + name +
                               QStringLiteral(" to (form and unit, e.g. FeO %, Fe ppm):"),
                           suggestion);
        if (!target)
            break;
        const auto factor = OxideConverter::factor(name, *target);
        if (!factor) {
            dialogs_.message(MessageKind::Exclamation,
                             name + QStringLiteral(" cannot be converted to ") + *target);
            continue;
        }
        int written = 0;
        const QString field = convertedFieldName(*target);
        if (writeConverted(c, *factor, field, &written))
            done << field + QStringLiteral(": ") + QString::number(written) +
                        QStringLiteral(" records");
    }
    if (done.isEmpty()) {
        return false;
    }
    dialogs_.message(MessageKind::Information,
                     QStringLiteral("Converted values written:") + crlf + done.join(crlf));
    return true;
}

bool GridChemistry::addElementContent(int firstColumn, int lastColumn) {
    if (!ready())
        return false;
    QStringList done;
    for (int c = firstColumn; c <= lastColumn && c < rows_->columnCount(); ++c) {
        const QString name = columnName(c);
        QString symbol = name;
        if (!FieldNameChemistry::elementOfFieldName(symbol))
            continue;
        const double unit = FieldNameChemistry::unitFactorOfFieldName(name);
        const QString target = symbol + QLatin1Char(' ') +
                               (unit == 1e4   ? QStringLiteral("ppm")
                                : unit == 1e7 ? QStringLiteral("ppb")
                                              : QStringLiteral("%"));
        const auto factor = OxideConverter::factor(name, target);
        if (!factor || *factor == 1.0)
            continue; // not an oxide, or already the element
        int written = 0;
        const QString field = convertedFieldName(target);
        if (writeConverted(c, *factor, field, &written))
            done << field + QStringLiteral(": ") + QString::number(written) +
                        QStringLiteral(" records");
    }
    if (done.isEmpty()) {
        dialogs_.message(MessageKind::Information,
                         QStringLiteral("Select oxide columns (SiO2%, Fe2O3%) to add their "
                                        "element content."));
        return false;
    }
    dialogs_.message(MessageKind::Information,
                     QStringLiteral("Element content written:") + crlf + done.join(crlf));
    return true;
}
