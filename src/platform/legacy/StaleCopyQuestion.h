#pragma once
// Asked before a working copy whose source changed is imported anew: the copy may hold the
// person's grid edits, schema changes and filters, so it is replaced only on Yes, and then kept
// as a backup. Without a person to ask (helpers that open a database of their own) the existing
// copy is used as it is. Made by the session's opener; read by the importers.
#include <QString>

class Dialogs;

class StaleCopyQuestion {
public:
    StaleCopyQuestion() = default; // never replaces an existing copy
    explicit StaleCopyQuestion(Dialogs& dialogs)
        : dialogs_(&dialogs) {}

    // True when the copy is to be imported anew, its present state kept in `backup`.
    bool reimport(const QString& backup) const;
    static QString text(const QString& backup);

private:
    Dialogs* dialogs_ = nullptr;
};
