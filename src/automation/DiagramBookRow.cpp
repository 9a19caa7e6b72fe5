#include "automation/DiagramBookRow.h"

#include "automation/PictureBook.h"

namespace {
QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}
bool isOn(const QString& text) {
    return text == QLatin1String("1") ||
           text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
}
} // namespace

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
    const int row = book.nextRow();
    Sheet& f = book.figures();
    const auto put = [&f, row](int column, const QString& text) {
        if (!text.isEmpty())
            f.setText(row, column, text);
    };
    put(P::Source, type());
    put(P::XTable, d.tables[D::X]);
    put(P::XElement, d.fields[D::X]);
    put(P::YTable, d.tables[D::Y]);
    put(P::YElement, d.fields[D::Y]);
    put(P::ClassTable, d.tables[D::Class]);
    put(P::ClassElement, d.fields[D::Class]);
    put(P::FilterOn, flag(d.filterOn));
    put(P::FilterText, d.filter);
    put(P::WindowSetting, d.graphType);
    put(P::MultiOn, flag(d.isMultiSet() && !d.sets.empty()));
    put(P::PlusXOn, flag(d.isCalcAxis(D::X)));
    put(P::PlusYOn, flag(d.isCalcAxis(D::Y)));
    put(P::ClipDataOn, flag(d.source == D::Source::ClipData));
    if (d.hasZ())
        put(P::WindowSetting2, d.tables[D::Z] + QLatin1Char(';') + d.fields[D::Z]);
    put(P::DisplayName, displayName(d, row));
    put(P::Marker, QStringLiteral("Fig ") + QString::number(row));
    put(P::GraphFile, graphFile);

    std::vector<QStringList> sets;
    for (const D::Set& s : d.sets)
        sets.push_back({s.xTable, s.xField, s.yTable, s.yField, s.filter});
    const auto [m1, m2] = book.appendObjects(QStringLiteral("Multi"), sets);
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
    const auto [c1, c2] = book.appendObjects(QStringLiteral("Calc"), calcs);
    if (m1 > 0) {
        f.setNumber(row, P::MultiR1, m1);
        f.setNumber(row, P::MultiR2, m2);
    }
    if (c1 > 0) {
        f.setNumber(row, P::CalcR1, c1);
        f.setNumber(row, P::CalcR2, c2);
    }
    book.setModified();
    return row;
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
    d.filterOn = isOn(f.text(row, P::FilterOn));
    d.filter = f.text(row, P::FilterText);
    if (isOn(f.text(row, P::ClipDataOn)))
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
