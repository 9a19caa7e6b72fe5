#include "automation/DiagramBookRow.h"

#include "automation/BookRow.h"
#include "automation/PictureBook.h"

QString DiagramBookRow::displayName(const DiagramDefinition& d, int row) {
    const QString x = d.fields[DiagramDefinition::X];
    const QString y = d.fields[DiagramDefinition::Y];
    if (x.isEmpty() && y.isEmpty())
        return QStringLiteral("Fig ") + QString::number(row);
    return y + QStringLiteral(" vs. ") + x;
}

int DiagramBookRow::add(PictureBook& book, const DiagramDefinition& d, const QString& graphFile) {
    using D = DiagramDefinition;
    using P = PictureBook;
    BookRow r = BookRow::append(book, type());
    r.put(P::XTable, d.tables[D::X]);
    r.put(P::XElement, d.fields[D::X]);
    r.put(P::YTable, d.tables[D::Y]);
    r.put(P::YElement, d.fields[D::Y]);
    r.put(P::ClassTable, d.tables[D::Class]);
    r.put(P::ClassElement, d.fields[D::Class]);
    r.putFlag(P::FilterOn, d.filterOn);
    r.put(P::FilterText, d.filter);
    r.put(P::WindowSetting, d.graphType);
    r.putFlag(P::MultiOn, d.isMultiSet() && !d.sets.empty());
    r.putFlag(P::PlusXOn, d.isCalcAxis(D::X));
    r.putFlag(P::PlusYOn, d.isCalcAxis(D::Y));
    r.putFlag(P::ClipDataOn, d.source == D::Source::ClipData);
    if (d.hasZ())
        r.put(P::WindowSetting2, d.tables[D::Z] + QLatin1Char(';') + d.fields[D::Z]);

    std::vector<QStringList> sets;
    for (const D::Set& s : d.sets)
        sets.push_back({s.xTable, s.xField, s.yTable, s.yField, s.filter});
    r.putRange(P::MultiR1, book.appendObjects(QStringLiteral("Multi"), sets));
    std::vector<QStringList> calcs;
    if (d.calc)
        for (int slot = 0; slot < 3; ++slot) {
            if (!d.isCalcAxis(slot))
                continue;
            const UserCalculation& c = d.calculations[size_t(slot)];
            QStringList cells{QString::number(slot + 1), c.name, c.equation};
            for (const CalcVariable& v : c.variables)
                cells << v.table << v.field;
            calcs.push_back(cells);
        }
    r.putRange(P::CalcR1, book.appendObjects(QStringLiteral("Calc"), calcs));
    return r.finish(displayName(d, r.row()), graphFile);
}

DiagramDefinition DiagramBookRow::read(const PictureBook& book, int row) {
    using D = DiagramDefinition;
    using P = PictureBook;
    const Sheet& f = book.figures();
    D d;
    const QString type = f.text(row, P::WindowSetting);
    if (!type.isEmpty())
        d.graphType = type;
    d.tables[D::X] = f.text(row, P::XTable);
    d.fields[D::X] = f.text(row, P::XElement);
    d.tables[D::Y] = f.text(row, P::YTable);
    d.fields[D::Y] = f.text(row, P::YElement);
    d.tables[D::Class] = f.text(row, P::ClassTable);
    d.fields[D::Class] = f.text(row, P::ClassElement);
    const QString z = f.text(row, P::WindowSetting2);
    if (!z.isEmpty()) {
        d.tables[D::Z] = z.section(QLatin1Char(';'), 0, 0);
        d.fields[D::Z] = z.section(QLatin1Char(';'), 1);
    }
    d.filterOn = BookRow::isOn(f.text(row, P::FilterOn));
    d.filter = f.text(row, P::FilterText);
    if (BookRow::isOn(f.text(row, P::ClipDataOn)))
        d.source = D::Source::ClipData;
    for (const QStringList& s : book.objectRows(row, P::MultiR1, QStringLiteral("Multi")))
        d.sets.push_back({s.value(0), s.value(1), s.value(2), s.value(3), s.value(4)});
    for (const QStringList& c : book.objectRows(row, P::CalcR1, QStringLiteral("Calc"))) {
        const int slot = c.value(0).toInt() - 1;
        if (slot < 0 || slot > 2)
            continue;
        UserCalculation& calc = d.calculations[size_t(slot)];
        calc.name = c.value(1);
        calc.equation = c.value(2);
        for (size_t v = 0; v < calc.variables.size(); ++v)
            calc.variables[v] = {c.value(3 + 2 * int(v)), c.value(4 + 2 * int(v))};
        d.calc = true;
    }
    return d;
}
