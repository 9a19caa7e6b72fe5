#include "automation/ui/PopulationProgramModel.h"

#include "automation/PopulationAnalysis.h"

#include <algorithm>

namespace {
constexpr int programColumns = PopulationAnalysis::SecondField;

QString meaning(int column) {
    using P = PopulationAnalysis;
    switch (column) {
    case P::Action:
        return QStringLiteral("Action");
    case P::Table:
        return QStringLiteral("Table");
    case P::Field:
        return QStringLiteral("Field");
    case P::Operator:
        return QStringLiteral("Operator / statistic");
    case P::Criteria:
        return QStringLiteral("Criteria");
    case P::Target:
        return QStringLiteral("Memory / result column");
    case P::ValueType:
        return QStringLiteral("Type (T/N)");
    case P::SecondField:
        return QStringLiteral("Second field");
    }
    return {};
}
} // namespace

int PopulationProgramModel::columnCount(const QModelIndex& parent) const {
    const int shown = SheetTableModel::columnCount(parent);
    return parent.isValid() ? shown : std::max(shown, programColumns);
}

QVariant PopulationProgramModel::headerData(int section, Qt::Orientation orientation,
                                            int role) const {
    const int column = section + 1;
    if (orientation != Qt::Horizontal || column > programColumns || role != Qt::DisplayRole)
        return SheetTableModel::headerData(section, orientation, role);
    return columnLetters(column) + QStringLiteral(" ") + meaning(column);
}
