#include "db/CatalogueWindow.h"

#include "db/LinkBuilder.h"
#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "platform/Dialogs.h"

#include <QFileInfo>

CatalogueWindow::CatalogueWindow(SessionDatabase& session, Dialogs& dialogs)
    : session_(session)
    , dialogs_(dialogs) {}

bool CatalogueWindow::openLinks() {
    const QString database = session_.SessionDatabasePath;
    const auto path =
        dialogs_.openFile(QStringLiteral("Open Links"), openFilter(),
                          database.isEmpty() ? QString() : QFileInfo(database).path());
    if (!path || path->isEmpty())
        return false;
    QString error;
    if (!MapFile::loadLinks(session_.catalogue().links, *path, &error)) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Links cannot be read from ") +
                                                       *path + QStringLiteral("\r\n") + error);
        return false;
    }
    return true;
}

bool CatalogueWindow::saveLinks() {
    const QString database = session_.SessionDatabasePath;
    const auto path =
        dialogs_.saveFile(QStringLiteral("Save Links"), saveFilter(),
                          database.isEmpty() ? QString() : MapFile::linkFilePathFor(database));
    if (!path || path->isEmpty())
        return false;
    QString error;
    if (!MapFile::saveLinks(session_.catalogue().links, *path, &error)) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Links cannot be written to ") +
                                                       *path + QStringLiteral("\r\n") + error);
        return false;
    }
    return true;
}

void CatalogueWindow::buildLinks() {
    LinkBuilder::BuildLinks(session_.catalogue());
}
