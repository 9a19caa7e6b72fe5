#include "diagram/objects/LibraryPassword.h"

#include "diagram/objects/ObjectLibrary.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

QString LibraryPassword::hashed(const QString& saltHex, const QString& password) {
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(QByteArray::fromHex(saltHex.toLatin1()));
    h.addData(password.toUtf8());
    return saltHex + u':' + QString::fromLatin1(h.result().toHex());
}

bool LibraryPassword::isSet(ObjectLibrary& library) {
    const auto stored = library.setting(settingKey());
    return stored && !stored->isEmpty();
}

bool LibraryPassword::matches(ObjectLibrary& library, const QString& password) {
    const auto stored = library.setting(settingKey());
    if (!stored || stored->isEmpty())
        return true;
    const QString salt = stored->section(u':', 0, 0);
    return hashed(salt, password) == *stored;
}

bool LibraryPassword::set(ObjectLibrary& library, const QString& password) {
    if (password.isEmpty())
        return library.setSetting(settingKey(), {});
    QByteArray salt(16, Qt::Uninitialized);
    for (char& c : salt)
        c = char(QRandomGenerator::system()->bounded(256));
    return library.setSetting(settingKey(), hashed(QString::fromLatin1(salt.toHex()), password));
}
