#pragma once
// One running program per user: the first instance listens on a per-user local socket; a later
// one finds it there and can ask it to come to the front ("ACTIVATE").
#include "app/InstanceCheck.h"

#include <QLocalServer>
#include <QObject>

class LocalInstanceGuard : public QObject, public InstanceCheck {
    Q_OBJECT
public:
    // name: the socket name; empty gives "QUVData-" + the user id.
    explicit LocalInstanceGuard(QString name = {}, QObject* parent = nullptr);

    bool otherInstanceRunning() override;
    void activateOtherInstance() override;
    void claim() override { listen(); }
    // Makes this process the one the next start finds. False when the name cannot be taken.
    bool listen();

signals:
    void activationRequested();

private:
    void readMessage();

    QString name_;
    QLocalServer server_;
};
