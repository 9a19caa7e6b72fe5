#pragma once
// A mineral library: a table of a database with at least the text fields "Mineral" and
// "Formula". The settings name it ("MineralLibraryDB", "MineralLibraryTable"); without them the
// library that ships with the program is written once into the user folder and used.
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class Connection;

class MineralLibrary {
public:
    // The shipped library's file in the user folder, and its table.
    static QString defaultPath(const QString& userFolder);
    static QString defaultTable() { return QStringLiteral("Minerals"); }
    // Writes the shipped library to the path unless a file is there; false with *error.
    static bool ensureDefault(const QString& path, QString* error = nullptr);

    // Opens the database and reads the mineral names ("SELECT * FROM [table]"); nullopt with
    // *error when it cannot be read.
    static std::optional<MineralLibrary> open(const QString& database, const QString& table,
                                              QString* error = nullptr);
    MineralLibrary(MineralLibrary&&) noexcept;
    MineralLibrary& operator=(MineralLibrary&&) noexcept;
    ~MineralLibrary();

    const QStringList& minerals() const { return minerals_; }
    // The formula of the first record whose "Mineral" equals the name exactly (a bound value:
    // quotes, "*" and "?" in a name are plain characters); nullopt when none has it.
    std::optional<QString> formulaOf(const QString& mineral) const;

private:
    MineralLibrary(std::unique_ptr<Connection> connection, QString table);

    std::unique_ptr<Connection> connection_;
    QString table_;
    QStringList minerals_;
};
