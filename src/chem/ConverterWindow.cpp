#include "chem/ConverterWindow.h"

#include "platform/Dialogs.h"

#include <algorithm>

namespace {
QString percent(double value) {
    return QString::number(value, 'f', 3);
}
} // namespace

ConverterWindow::ConverterWindow(Dialogs& dialogs)
    : dialogs_(dialogs) {}

bool ConverterWindow::openLibrary(const QString& database, const QString& table,
                                  const QString& userFolder) {
    library_.reset();
    QString path = database, name = table, error;
    if (path.isEmpty() || name.isEmpty()) {
        path = MineralLibrary::defaultPath(userFolder);
        name = MineralLibrary::defaultTable();
        if (!MineralLibrary::ensureDefault(path, &error)) {
            dialogs_.message(MessageKind::Exclamation, error);
            return false;
        }
    }
    library_ = MineralLibrary::open(path, name, &error);
    if (!library_)
        dialogs_.message(MessageKind::Exclamation, error);
    return library_.has_value();
}

QStringList ConverterWindow::minerals() const {
    return library_ ? library_->minerals() : QStringList();
}

bool ConverterWindow::chooseMineral(const QString& name) {
    const auto formula = library_ ? library_->formulaOf(name) : std::nullopt;
    if (!formula)
        return false;
    formula_ = *formula;
    return calculate();
}

bool ConverterWindow::calculate() {
    QString error;
    auto composition = FormulaComposition::of(formula_, &error);
    if (!composition) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Cannot calculate ") + formula_ +
                                                       QStringLiteral(": ") + error);
        return false;
    }
    result_ = std::move(composition);
    return true;
}

void ConverterWindow::stepLayout(bool up) {
    const int mode = int(layout_) + (up ? 1 : -1);
    layout_ = Layout(mode > 3 ? 1 : mode < 1 ? 3 : mode);
}

QString ConverterWindow::layoutName(Layout layout) {
    switch (layout) {
    case Layout::Combos:
        return QStringLiteral("Combos");
    case Layout::Text:
        return QStringLiteral("Text");
    case Layout::Table:
        return QStringLiteral("Table");
    }
    return {};
}

QString ConverterWindow::resultText() const {
    if (!result_)
        return {};
    const FormulaComposition& c = *result_;
    QStringList lines;
    if (layout_ == Layout::Text) {
        lines << c.formula + QStringLiteral(", M = ") + QString::number(c.molarMass, 'f', 3) +
                     QStringLiteral(" g/mol");
        lines << QStringLiteral("Elements:");
        for (const CompositionLine& l : c.elements)
            lines << QStringLiteral("  ") + l.name + QStringLiteral(" ") +
                         percent(l.weightPercent) + QStringLiteral(" %");
        lines << QStringLiteral("  Sum ") + percent(c.elementSum) + QStringLiteral(" %");
        lines << QStringLiteral("Oxides:");
        for (const CompositionLine& l : c.oxides)
            lines << QStringLiteral("  ") + l.name + QStringLiteral(" ") +
                         percent(l.weightPercent) + QStringLiteral(" %");
        lines << QStringLiteral("  Sum ") + percent(c.oxideSum) + QStringLiteral(" %");
        return lines.join(QLatin1Char('\n'));
    }
    // Element and oxide side by side, one row each, then the sums.
    lines << QStringLiteral("Element\tWt%\tOxide\tWt%");
    const size_t rows = std::max(c.elements.size(), c.oxides.size());
    for (size_t r = 0; r < rows; ++r) {
        QStringList cells;
        for (const auto* side : {&c.elements, &c.oxides})
            cells << (r < side->size() ? (*side)[r].name : QString())
                  << (r < side->size() ? percent((*side)[r].weightPercent) : QString());
        lines << cells.join(QLatin1Char('\t'));
    }
    lines << QStringLiteral("Sum\t") + percent(c.elementSum) + QStringLiteral("\tSum\t") +
                 percent(c.oxideSum);
    return lines.join(QLatin1Char('\n'));
}
