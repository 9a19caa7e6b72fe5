#pragma once
// The gate in front of editing the object library: a password kept in the system database's
// settings as a salted SHA-256 hash ("salt:hash" in hex), never as the text. A library without
// a password opens for editing with no question. Stateless over an ObjectLibrary.
#include <QString>

class ObjectLibrary;

class LibraryPassword {
public:
    static QString settingKey() { return QStringLiteral("LibraryPasswordHash"); }

    static bool isSet(ObjectLibrary& library);
    static bool matches(ObjectLibrary& library, const QString& password);
    // An empty password removes the gate.
    static bool set(ObjectLibrary& library, const QString& password);
    // The stored form of a password with a given salt (hex).
    static QString hashed(const QString& saltHex, const QString& password);
};
