#pragma once
// The command lines a diagram window runs (its "AjaKomento"): the diagram definition's boxes
// (XTABLE ... TABLESFIELDS, CLASSES, the filter), draws (DRAW, DRAW UPDATE, DRAW2, the figure
// log's next and previous entry), axes, legend, linking, the user objects and discrimination.
// Names are checked against what the window's boxes offer before they are set. What only the
// window's view or the frame can do (dialogs, menu actions, the sample browser) comes through
// hooks; a keyword without one says "<keyword> is not available", the one place where features
// still to come are wired later. Holds its window, which must outlive it.
#include "automation/CommandTarget.h"

#include <functional>
#include <map>
#include <optional>

class DiagramObjectController;
class DiagramWindow;
class SessionDatabase;

class DiagramCommands : public CommandTarget {
public:
    struct Hooks {
        // By keyword: AXISSCALES, AXISUNITS, DISCRTODB, SHOWSAMPLEBROWSER, STYLES, ...
        std::map<QString, std::function<bool(const MacroCommand&)>> byKeyword;
        // A menu action by its library name ("<EDIT_COPY") and argument; nullopt when the
        // window has no such item.
        std::function<std::optional<bool>(const QString& name, const QString& argument)> menu;
        // The window's caption and tag as its view shows them, and showing it.
        std::function<QString()> caption;
        std::function<QString()> tag;
        std::function<void()> show;
        // DRAW as the Draw button does it (the view's boxes first); none: the definition drawn.
        std::function<bool()> draw;
        // After each command: the view shows what it changed.
        std::function<void()> changed;
    };

    static QString missingAxisFields() { return QStringLiteral("Missing X or Y element"); }
    static QString noTable(const QString& name) {
        return QStringLiteral("No table or query ") + name;
    }
    static QString noField(const QString& table, const QString& field) {
        return QStringLiteral("No field ") + field + QStringLiteral(" in ") + table;
    }
    static QString noFilter(const QString& name) { return QStringLiteral("No filter ") + name; }

    DiagramCommands(DiagramWindow& window, SessionDatabase& session);

    Hooks hooks;
    DiagramWindow& window() { return window_; }
    CommandResult run(const MacroCommand& command);

    QString caption() const override;
    QString tag() const override { return hooks.tag ? hooks.tag() : QString(); }
    void show() override {
        if (hooks.show)
            hooks.show();
    }
    CommandResult runCommand(const MacroCommand& command) override;

private:
    // nullopt when the keyword is not one of the user objects'.
    std::optional<CommandResult> runObjects(const QString& keyword);
    CommandResult setTable(int slot, const MacroCommand& command);
    CommandResult setField(int slot, const QString& field);
    CommandResult setTableAndField(int slot, const QString& table, const QString& field);
    std::optional<QString> table(const QStringList& candidates) const;
    CommandResult setFilter(const MacroCommand& command);
    CommandResult drawUpdate();
    CommandResult stepLog(int step);
    CommandResult hooked(const MacroCommand& command);
    CommandResult menuAction(const QString& name, const QString& argument);

    DiagramWindow& window_;
    SessionDatabase& session_;
    // The figure log entry last drawn by DRAWNEXT.../DRAWPREVIOUS..., and the log's size then:
    // a draw since moves it to the newest entry.
    int logRow_ = -1;
    qsizetype logSizeSeen_ = 0;
};
