#pragma once
// The frame's end of the link with the sibling program: listens on the link socket and watches
// the drop folder, runs what arrives through LinkExchange into the frame's ClipData sheet and
// shows it, and sends the keys of ClipData rows. Made by the frame when it is bound; lives as
// long as the frame's ClipData sheet.
#include "link/LinkDropFolder.h"
#include "link/LinkExchange.h"
#include "link/LinkPeer.h"
#include "link/LinkServer.h"

#include <QObject>
#include <functional>

class ClipDataWindow;
class Status;

class LinkController : public QObject {
    Q_OBJECT
public:
    struct Frame {
        std::function<void()> showClipData;
        std::function<bool(const QString& path)> openPictureBook;
        // AjaCmdKomento: a COMMAND= line through the frame's command interpreter.
        std::function<bool(const QString& line)> runCommand;
    };

    LinkController(const LinkSettings& settings, const QString& userFolder,
                   const QStringList& pictureBookFolders, SessionDatabase& session,
                   ClipDataWindow& clipData, Dialogs& dialogs, Status& status, Frame frame);

    LinkExchange& exchange() { return exchange_; }
    LinkServer& server() { return server_; }
    LinkDropFolder& dropFolder() { return drop_; }

    // Runs link content as if it had arrived.
    bool process(const QString& text);
    // A link file named on the command line; false when it cannot be read.
    bool processFile(const QString& path);
    // "Set Link value".
    bool setLinkValue() {
        const bool sent = exchange_.setLinkValue();
        emit linkTextChanged();
        return sent;
    }
    // Started by the sibling program: the link files it left are taken now.
    void collectDropped() { drop_.collect(); }

signals:
    // The last text received or sent changed.
    void linkTextChanged();

private:
    bool sendRow(int row, bool clicked);

    LinkPeer peer_;
    LinkExchange exchange_;
    LinkServer server_;
    LinkDropFolder drop_;
    Dialogs& dialogs_;
    Frame frame_;
};
