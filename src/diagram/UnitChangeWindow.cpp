#include "diagram/UnitChangeWindow.h"

#include "chem/ElementTable.h"
#include "chem/OxideForm.h"
#include "diagram/DiagramWindow.h"
#include "platform/Dialogs.h"

namespace {
double massOf(const QString& form) {
    const auto f = form.isEmpty() ? std::nullopt : OxideForm::of(form);
    return f ? f->massPerCation : 0.0;
}
} // namespace

UnitChangeWindow::UnitChangeWindow(DiagramWindow& diagram, Dialogs& dialogs)
    : diagram_(diagram)
    , dialogs_(dialogs) {
    QStringList names{diagram.figure().x.title, diagram.figure().y.title};
    if (diagram.definition.usesZ())
        names << diagram.definition.fields[DiagramDefinition::Z];
    for (const QString& name : names) {
        Slot s;
        s.name = name;
        const ConcentrationUnit read = ConcentrationUnits::ofName(name);
        // A name without a unit holds per cent, as the factor table counts it.
        s.unit = read == ConcentrationUnit::None ? ConcentrationUnit::Percent : read;
        // The field name without the table a title may carry in front ("Rock.SiO2%").
        const QString field = diagram.tableNameInTitles ? name.section(QLatin1Char('.'), 1) : name;
        if (const auto form = OxideForm::ofFieldName(field)) {
            s.form = form->formula;
            s.forms = QStringList{ElementTable::instance().symbol(form->element)} +
                      ElementTable::instance().oxides(form->element);
            if (!s.forms.contains(s.form))
                s.forms << s.form;
        }
        s.targetUnit = s.unit;
        s.targetForm = s.form;
        slots_.push_back(s);
    }
}

QStringList UnitChangeWindow::axisChoices() const {
    QStringList choices{QStringLiteral("X-axis"), QStringLiteral("Y-axis"),
                        QStringLiteral("Z-axis")};
    return choices.mid(0, qsizetype(slots_.size()));
}

QString UnitChangeWindow::formPrompt() const {
    return QStringLiteral("Change ") + QStringLiteral("XYZ").at(axis_) +
           QStringLiteral(" -axis element format (oxide/element):");
}

QString UnitChangeWindow::storedCaption(ConcentrationUnit unit) {
    return unit == ConcentrationUnit::MolProp ? QStringLiteral("Mol.prop.")
                                              : ConcentrationUnits::caption(unit);
}

bool UnitChangeWindow::pending(int axis) const {
    const Slot& s = slots_[size_t(axis)];
    return s.targetUnit != s.unit || s.targetForm != s.form;
}

void UnitChangeWindow::selectAxis(int axis) {
    if (axis < 0 || axis >= int(slots_.size()) || axis == axis_)
        return;
    const Slot& s = slots_[size_t(axis_)];
    if (s.targetUnit != s.unit &&
        dialogs_.question(
            QStringLiteral("Would you like to change ") + storedCaption(s.unit) +
                QStringLiteral(" to ") +
                (s.targetForm.isEmpty() ? QString() : s.targetForm + QLatin1Char(' ')) +
                ConcentrationUnits::caption(s.targetUnit),
            QuestionButtons::YesNo) == Answer::Yes)
        applyAxis(axis_);
    axis_ = axis;
}

void UnitChangeWindow::applyAxis(int axis) {
    Slot& s = slots_[size_t(axis)];
    if (!pending(axis))
        return;
    const double factor =
        ConcentrationUnits::factor(s.unit, massOf(s.form), s.targetUnit, massOf(s.targetForm));
    const QString title = s.targetForm.isEmpty() ? ConcentrationUnits::renamed(s.name, s.targetUnit)
                                                 : s.targetForm + QLatin1Char(' ') +
                                                       ConcentrationUnits::caption(s.targetUnit);
    diagram_.rescaleDrawnValues(axis, factor, title);
    s.name = title;
    s.unit = s.targetUnit;
    s.form = s.targetForm;
}

int UnitChangeWindow::apply() {
    int changed = 0;
    for (int axis = 0; axis < int(slots_.size()); ++axis)
        if (pending(axis)) {
            applyAxis(axis);
            ++changed;
        }
    return changed;
}
