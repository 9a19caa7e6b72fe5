#include "diagram/DiagramCommands.h"

#include "db/SessionDatabase.h"
#include "diagram/DiagramObjectController.h"
#include "diagram/DiagramWindow.h"
#include "diagram/objects/DiagramObjectCommands.h"

namespace {
using D = DiagramDefinition;

bool is(const QString& keyword, const char* name) {
    return keyword == QLatin1String(name);
}
} // namespace

DiagramCommands::DiagramCommands(DiagramWindow& window, SessionDatabase& session)
    : window_(window)
    , session_(session) {}

QString DiagramCommands::caption() const {
    return hooks.caption ? hooks.caption() : DiagramWindow::caption();
}

CommandResult DiagramCommands::runCommand(const MacroCommand& command) {
    const CommandResult result = run(command);
    if (hooks.changed)
        hooks.changed();
    return result;
}

CommandResult DiagramCommands::run(const MacroCommand& c) {
    const QString& k = c.keyword;
    if (c.isMenuAction())
        return menuAction(QLatin1Char('<') + k.mid(1).toUpper(), c.rest);
    // "EDIT name" and "FILE name": the menu action "<EDIT_name".
    if (is(k, "EDIT") || is(k, "FILE"))
        return menuAction(QLatin1Char('<') + k + QLatin1Char('_') +
                              c.wholeName().toUpper().replace(QLatin1Char(' '), QLatin1Char('_')),
                          QString());
    if (const auto objects = runObjects(k))
        return *objects;
    if (is(k, "AXISXLOG") || is(k, "AXISXLIN") || is(k, "AXISYLOG") || is(k, "AXISYLIN")) {
        window_.setLogarithmic(k[4] == QLatin1Char('X') ? AxisId::X : AxisId::Y, k.endsWith("LOG"));
        return CommandResult::done();
    }
    if (is(k, "AXISUNITS")) {
        if (window_.definition.fields[D::X].isEmpty() ||
            window_.definition.fields[D::Y].isEmpty()) {
            window_.dialogs().message(MessageKind::Exclamation, missingAxisFields());
            return CommandResult::failed();
        }
        return hooked(c);
    }
    if (is(k, "DRAW") && c.argument(1).compare(QLatin1String("UPDATE"), Qt::CaseInsensitive) == 0)
        return drawUpdate();
    if (is(k, "UPDATE"))
        return drawUpdate();
    if (is(k, "DRAW"))
        return CommandResult::of(hooks.draw ? hooks.draw() : window_.draw(QStringLiteral("DRAW")));
    if (is(k, "DRAW2") || is(k, "CLIPDATAONOFF") || is(k, "USECLIPDATA"))
        return CommandResult::of(window_.runCommand(k + QLatin1Char(' ') + c.rest));
    if (is(k, "LEGEND")) {
        window_.toggleLegend();
        return CommandResult::done();
    }
    if (is(k, "XTABLE") || is(k, "YTABLE"))
        return setTable(is(k, "XTABLE") ? D::X : D::Y, c);
    if (is(k, "XFIELD") || is(k, "YFIELD")) {
        const CommandResult set = setField(is(k, "XFIELD") ? D::X : D::Y, c.wholeName());
        return set.ok ? CommandResult::of(window_.draw(k)) : set;
    }
    if (is(k, "XTABLEFIELD") || is(k, "YTABLEFIELD") || is(k, "CLASSES"))
        return setTableAndField(is(k, "XTABLEFIELD")   ? D::X
                                : is(k, "YTABLEFIELD") ? D::Y
                                                       : D::Class,
                                c.argument(1), c.argument(2));
    if (is(k, "CLASSESOFF")) {
        window_.definition.tables[D::Class].clear();
        window_.definition.fields[D::Class].clear();
        return CommandResult::of(window_.draw(k));
    }
    if (is(k, "TABLESFIELDS")) {
        const CommandResult x = setTableAndField(D::X, c.argument(1), c.argument(2));
        return x.ok ? setTableAndField(D::Y, c.argument(3), c.argument(4)) : x;
    }
    if (is(k, "FILTERONOFF") || is(k, "FILTERON") || is(k, "FILTEROFF")) {
        bool& on = window_.definition.filterOn;
        on = is(k, "FILTERONOFF") ? !on : is(k, "FILTERON");
        return CommandResult::done();
    }
    if (is(k, "FILTER"))
        return setFilter(c);
    if (is(k, "LINK"))
        return CommandResult::of(window_.checkLinking());
    if (is(k, "DRAWNEXTFROMPICTUREBOOK"))
        return stepLog(1);
    if (is(k, "DRAWPREVIOUSFROMPICTUREBOOK"))
        return stepLog(-1);
    return hooked(c);
}

// The user objects: drawing them on screen starts the window's digitizing, the rest runs at once.
std::optional<CommandResult> DiagramCommands::runObjects(const QString& k) {
    const bool objectKeyword = is(k, "DRAWTRENDLINE") || is(k, "DRAWPOLYLINE") ||
                               is(k, "DRAWPOLYGON") || is(k, "DRAWPOINT") || is(k, "DRAWTEXT") ||
                               is(k, "DISCRPOLYGON") || is(k, "DISCRTRENDLINE") ||
                               is(k, "DISCRRENAME") || is(k, "OBJECTLIBRARY") ||
                               is(k, "OBJECTHEADER");
    if (!objectKeyword)
        return std::nullopt;
    DiagramObjectController* objects = window_.objects;
    // The library windows need a display: a batch run's window has no opener for them.
    const bool opensWindow = is(k, "OBJECTLIBRARY") || is(k, "OBJECTHEADER");
    if (!objects || (opensWindow && !objects->openLibrary))
        return CommandResult::notAvailable(k);
    if (is(k, "DRAWTRENDLINE"))
        objects->startLinearTrendline();
    else if (is(k, "DRAWPOLYLINE"))
        objects->startPolyline();
    else if (is(k, "DRAWPOLYGON"))
        objects->startDigitizing();
    else if (is(k, "DRAWPOINT"))
        objects->startRefPoint();
    else if (is(k, "DRAWTEXT"))
        return CommandResult::of(objects->addText());
    else
        return CommandResult::of(DiagramObjectCommands::run(*objects, k).value_or(false));
    return CommandResult::done();
}

std::optional<QString> DiagramCommands::table(const QStringList& candidates) const {
    const QStringList tables = window_.tableChoices();
    for (const QString& name : candidates)
        for (const QString& t : tables)
            if (t.compare(name, Qt::CaseInsensitive) == 0)
                return t;
    return std::nullopt;
}

CommandResult DiagramCommands::setTable(int slot, const MacroCommand& c) {
    const auto found = table(c.nameCandidates());
    if (!found)
        return CommandResult::failed(noTable(c.wholeName()));
    window_.definition.tables[size_t(slot)] = *found;
    return CommandResult::done();
}

CommandResult DiagramCommands::setField(int slot, const QString& field) {
    const QString& t = window_.definition.tables[size_t(slot)];
    for (const QString& f : window_.fieldChoices(t))
        if (f.compare(field, Qt::CaseInsensitive) == 0) {
            window_.definition.fields[size_t(slot)] = f;
            return CommandResult::done();
        }
    return CommandResult::failed(noField(t, field));
}

CommandResult DiagramCommands::setTableAndField(int slot, const QString& tableName,
                                                const QString& field) {
    const auto found = table({tableName});
    if (!found)
        return CommandResult::failed(noTable(tableName));
    const QString before = window_.definition.tables[size_t(slot)];
    window_.definition.tables[size_t(slot)] = *found;
    const CommandResult set = setField(slot, field);
    if (!set.ok)
        window_.definition.tables[size_t(slot)] = before;
    return set;
}

CommandResult DiagramCommands::setFilter(const MacroCommand& c) {
    QString name = c.wholeName();
    if (name.startsWith(QLatin1String("f_")))
        name = name.mid(2);
    for (const QString& f : session_.catalogue().filters)
        if (f.compare(name, Qt::CaseInsensitive) == 0) {
            window_.definition.filter = f;
            window_.definition.filterOn = true;
            return CommandResult::done();
        }
    return CommandResult::failed(noFilter(c.wholeName()));
}

CommandResult DiagramCommands::drawUpdate() {
    if (!window_.hasFigure())
        return CommandResult::failed(QStringLiteral("No figure to update"));
    window_.redrawHeld();
    return CommandResult::done();
}

CommandResult DiagramCommands::stepLog(int step) {
    const qsizetype size = window_.figureLog().size();
    if (size == 0)
        return CommandResult::failed(QStringLiteral("The figure log is empty"));
    if (size != logSizeSeen_ || logRow_ < 0 || logRow_ >= size)
        logRow_ = int(size - 1);
    logRow_ = std::clamp(logRow_ + step, 0, int(size - 1));
    const bool drawn = window_.drawFromLog(logRow_);
    logSizeSeen_ = window_.figureLog().size();
    return CommandResult::of(drawn);
}

CommandResult DiagramCommands::hooked(const MacroCommand& c) {
    const auto found = hooks.byKeyword.find(c.keyword);
    if (found == hooks.byKeyword.end() || !found->second)
        return CommandResult::notAvailable(c.keyword);
    return CommandResult::of(found->second(c));
}

CommandResult DiagramCommands::menuAction(const QString& name, const QString& argument) {
    const auto ran = hooks.menu ? hooks.menu(name, argument) : std::nullopt;
    if (!ran)
        return CommandResult::notAvailable(QLatin1Char('>') + name.mid(1));
    return CommandResult::of(*ran);
}
