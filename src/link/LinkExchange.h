#pragma once
// The link content exchange with the sibling program, headless: content that arrives is
// processed into the ClipData sheet (ProcessLinkContent) and kept as the received link state;
// a record picked here is told back (SendLinkSelection). Talks to the person only through
// Dialogs and Status; the frame feeds it what the socket and the drop folder receive.
#include "link/LinkContent.h"

#include <QStringList>
#include <functional>

class ClipDataSheet;
class Dialogs;
class LinkPeer;
class SessionDatabase;
class Status;

class LinkExchange {
public:
    struct Hooks {
        // The ClipData sheet was filled: its window shows it.
        std::function<void()> clipDataFilled;
        // Opens a PictureBook file; false when it could not be read.
        std::function<bool(const QString& path)> openPictureBook;
        // Runs one COMMAND= line as the command box would (AjaCmdKomento); false when it
        // failed.
        std::function<bool(const QString& line)> runCommand;
    };

    // pictureBookFolders: where a PictureBook named by CAPTION= is looked for, in turn.
    LinkExchange(SessionDatabase& session, ClipDataSheet& clipData, Dialogs& dialogs,
                 Status& status, LinkPeer& peer, QStringList pictureBookFolders);

    static QString notFoundText() { return QStringLiteral("Linked program not found."); }
    static QString noCommandsText() {
        return QStringLiteral("Command lines of link content cannot be run here");
    }

    Hooks hooks;

    // Fetches the rows the content selects into ClipData, then runs its COMMAND= lines; content
    // of command lines alone only runs them. False when nothing was fetched (declined, or said
    // why) or a command line failed.
    bool ProcessLinkContent(const QString& text);
    // Tells the sibling program the key of the picked record (-999: none); false after
    // "Linked program not found.".
    bool SendLinkSelection(const QString& keyValue);
    // "Set Link value": asks for a key and sends it.
    bool setLinkValue();
    // The key of a ClipData row: the cell under the heading of the received key field, else
    // the row's first cell. Empty for the heading row and rows without data.
    QString clipDataKey(int row) const;
    // Whether content has arrived in this run (clicks in ClipData then tell the sibling).
    bool linked() const { return received_; }

    const LinkContent& state() const { return state_; }
    // The last text received or sent, for the "Link content" window.
    const QString& lastText() const { return lastText_; }

private:
    bool fetch(const QString& statement);
    bool runCommands();
    void openPictureBook(const QString& name);

    SessionDatabase& session_;
    ClipDataSheet& clipData_;
    Dialogs& dialogs_;
    Status& status_;
    LinkPeer& peer_;
    QStringList pictureBookFolders_;
    LinkContent state_;
    QString lastText_;
    bool received_ = false;
};
