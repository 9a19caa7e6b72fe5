#pragma once
// The main window's commands ("MAIN" and "PICBOOK" rows): OPENDB n|path, SHOW/VIEW keyword (the
// VIEW dispatcher, which records "VIEW " + keyword while recording and shows the window
// registered for the keyword), and the PictureBook commands, handed to the book the running
// program registers. The running program registers the windows it has.
#include "automation/CommandTarget.h"

#include <functional>
#include <map>

class MacroRecorder;

class MainCommands : public CommandTarget {
public:
    struct Parts {
        // The recent-database entries in menu order, and opening one by path.
        std::function<QStringList()> recentDatabases;
        std::function<bool(const QString& path)> openDatabase;
        std::function<QString()> caption;
    };
    using Opener = std::function<bool()>;

    MainCommands(Parts parts, MacroRecorder* recorder);

    // Every keyword of the VIEW table, whether this program has its window or not.
    static QStringList viewKeywords();
    static QString noWindow(const QString& keyword) {
        return QStringLiteral("VIEW ") + keyword + QStringLiteral(" is not available");
    }

    // Registers (or replaces) what VIEW keyword shows; the opener says whether it showed it.
    void registerView(const QString& keyword, Opener opener);
    bool hasView(const QString& keyword) const { return views_.count(keyword) > 0; }
    // The VIEW dispatcher; the keyword is upper-cased.
    CommandResult view(const QString& keyword);

    // The PictureBook's commands (PBOPEN, PBADD, ...); without it they are not available.
    using BookCommands = std::function<CommandResult(const MacroCommand&)>;
    void setBook(BookCommands book) { book_ = std::move(book); }

    QString caption() const override;
    CommandResult runCommand(const MacroCommand& command) override;

private:
    CommandResult openDatabase(const MacroCommand& command);

    Parts parts_;
    MacroRecorder* recorder_;
    std::map<QString, Opener> views_;
    BookCommands book_;
};
