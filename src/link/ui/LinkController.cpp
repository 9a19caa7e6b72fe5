#include "link/ui/LinkController.h"

#include "clipdata/ClipDataWindow.h"
#include "link/LinkSelection.h"
#include "platform/Dialogs.h"
#include "platform/Status.h"

LinkController::LinkController(const LinkSettings& settings, const QString& userFolder,
                               const QStringList& pictureBookFolders, SessionDatabase& session,
                               ClipDataWindow& clipData, Dialogs& dialogs, Status& status,
                               Frame frame)
    : peer_(settings)
    , exchange_(session, clipData.sheet(), dialogs, status, peer_, pictureBookFolders)
    , dialogs_(dialogs)
    , frame_(std::move(frame)) {
    exchange_.hooks.clipDataFilled = [this] {
        if (frame_.showClipData)
            frame_.showClipData();
    };
    exchange_.hooks.openPictureBook = frame_.openPictureBook;
    exchange_.hooks.runCommand = frame_.runCommand;
    clipData.hooks.sendLinkRow = [this](int row, bool clicked) { return sendRow(row, clicked); };
    connect(&server_, &LinkServer::contentReceived, this, &LinkController::process);
    connect(&drop_, &LinkDropFolder::contentReceived, this, &LinkController::process);
    // A second program of the same user finds the name taken: it goes on without receiving,
    // and says so as finished news (no progress running, "Abort" stays off).
    if (!server_.listen(settings.listenName()))
        status.showStatus(QStringLiteral("Link content is not received: ") + server_.error(), 0);
    drop_.watch(settings.dropFolder(userFolder));
}

bool LinkController::process(const QString& text) {
    const bool fetched = exchange_.ProcessLinkContent(text);
    emit linkTextChanged();
    return fetched;
}

bool LinkController::processFile(const QString& path) {
    const std::optional<QString> text = LinkDropFolder::read(path);
    if (!text) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("The link file ") + path +
                                                       QStringLiteral(" cannot be read"));
        return false;
    }
    return process(*text);
}

bool LinkController::sendRow(int row, bool clicked) {
    if (clicked && !exchange_.linked())
        return false;
    const QString key = exchange_.clipDataKey(row);
    const bool sent = exchange_.SendLinkSelection(key.isEmpty() ? LinkSelection::noKey() : key);
    emit linkTextChanged();
    return sent;
}
