#pragma once
// The link with the sibling program, from section "DDE-Link" of the initialization files, as
// this program reads the names of the dynamic-data-exchange conversation on Linux:
// - LinkType 0 (local socket): "DDE-Server" is the local socket name (or path) the sibling
//   program listens on; selections picked here are sent there.
// - LinkType 1 (files): "DDE-Server" is the folder a selection file is written into.
// - "DDE-Topic": the local socket name this program listens on for link content; empty gives
//   "QUVData-link-" + the user id.
// - "DDE-Item": the folder this program watches for dropped link files (*.qlk); empty gives
//   the user folder + "/link".
#include <QString>

struct LinkSettings {
    enum Type { Socket = 0, Files = 1 };

    QString server;
    QString topic;
    QString item;
    int linkType = Socket;

    static QString defaultTopic();
    QString listenName() const { return topic.isEmpty() ? defaultTopic() : topic; }
    QString dropFolder(const QString& userFolder) const {
        return item.isEmpty() ? userFolder + QStringLiteral("/link") : item;
    }
    // The link address as the messages show it, its three parts joined by separator.
    QString address(const QString& separator) const {
        return server + separator + topic + separator + item;
    }
};
