#pragma once
// The command library: the program's table of command lines it knows, each row a command name,
// the keyword typed for it and the type of window that runs it ("GRAPH", "CLIPDATA", "MAIN",
// "PICBOOK"). Rows count from the first down to the first with an empty keyword. Lookup is by
// exact keyword; the command box completes by prefix. Immutable; embedded() is the shipped one.
#include <QString>
#include <QStringList>
#include <vector>

struct CommandLibraryRow {
    QString command;
    QString keyword;
    QString windowType;
};

class CommandLibrary {
public:
    static QString graph() { return QStringLiteral("GRAPH"); }
    static QString clipData() { return QStringLiteral("CLIPDATA"); }
    static QString mainWindow() { return QStringLiteral("MAIN"); }
    static QString pictureBook() { return QStringLiteral("PICBOOK"); }

    explicit CommandLibrary(const std::vector<CommandLibraryRow>& rows);
    static const CommandLibrary& embedded();

    // The row whose keyword is exactly the text; nullptr when none is.
    const CommandLibraryRow* find(const QString& keyword) const;
    // Every keyword that starts with the prefix, in library order.
    QStringList keywordsStartingWith(const QString& prefix) const;
    QStringList keywordsOf(const QString& windowType) const;
    const std::vector<CommandLibraryRow>& rows() const { return rows_; }

private:
    std::vector<CommandLibraryRow> rows_;
};
