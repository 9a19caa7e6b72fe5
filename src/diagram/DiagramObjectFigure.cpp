#include "diagram/DiagramObjectFigure.h"

#include "diagram/DiagramObjectController.h"
#include "diagram/DiagramWindow.h"
#include "platform/Dialogs.h"

ObjectAxes DiagramObjectFigure::axes() const {
    return ObjectAxes::of(window_.definition);
}

bool DiagramObjectFigure::hasFigure() const {
    return window_.hasFigure();
}

UserObjects& DiagramObjectFigure::objects() {
    return objects_.objects;
}

int DiagramObjectFigure::selectedPolygon() const {
    return objects_.selectedPolygon();
}

int DiagramObjectFigure::selectedTrendline() const {
    return objects_.selectedTrendline();
}

bool DiagramObjectFigure::redraw() {
    return window_.hasFigure() && window_.draw();
}

std::optional<QString> DiagramObjectFigure::tableWith(const QString& field) {
    QStringList found;
    for (const QString& table : window_.tableChoices())
        if (table != DiagramWindow::clipDataTable() &&
            window_.fieldChoices(table).contains(field, Qt::CaseInsensitive))
            found << table;
    if (found.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Field ") + field + QStringLiteral(" not found."));
        return std::nullopt;
    }
    if (found.size() == 1)
        return found.front();
    QString prompt = QStringLiteral("Field ") + field + QStringLiteral(" found in tables");
    for (qsizetype i = 0; i < found.size(); ++i)
        prompt += QStringLiteral("\n") + QString::number(i + 1) + QStringLiteral(" ") + found[i];
    prompt += QStringLiteral("\nGive number of the one like to select.");
    const auto answer =
        dialogs_.input(QStringLiteral("Select Table and Field"), prompt, QStringLiteral("1"));
    if (!answer)
        return std::nullopt;
    bool ok = false;
    const int n = answer->trimmed().toInt(&ok);
    if (!ok || n < 1 || n > found.size())
        return std::nullopt;
    return found[n - 1];
}

bool DiagramObjectFigure::drawFigureOf(const ObjectAxes& axes) {
    QString type;
    if (axes.source == QLatin1String("XY"))
        type = QStringLiteral("XY");
    else if (axes.source == QLatin1String("Tri"))
        type = QStringLiteral("Ternary");
    else {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Chart type ") + axes.source +
                                                       QStringLiteral(" not found."));
        return false;
    }
    DiagramDefinition d = window_.definition;
    d.graphType = type;
    d.calc = false;
    const int n = type == QLatin1String("Ternary") ? 3 : 2;
    for (int i = 0; i < n; ++i) {
        QString table = axes.tables[size_t(i)];
        if (table.isEmpty() || table == QLatin1String("*")) {
            const auto found = tableWith(axes.fields[size_t(i)]);
            if (!found)
                return false;
            table = *found;
        }
        d.tables[size_t(i)] = table;
        d.fields[size_t(i)] = axes.fields[size_t(i)];
    }
    if (n == 2)
        d.tables[DiagramDefinition::Z] = d.fields[DiagramDefinition::Z] = QString();
    window_.definition = d;
    return window_.draw();
}
