#pragma once
// The table, field and filter lists every statistics window fills from the schema catalogue,
// or from the ClipData sheet's headings when it reads ClipData; a stored query's fields from the
// database.
#include <QStringList>
#include <functional>

class QComboBox;
class SessionDatabase;
class Sheet;

class StatisticsPickers {
public:
    using ClipData = std::function<const Sheet*()>;

    StatisticsPickers(SessionDatabase& session, ClipData clipData)
        : session_(session)
        , clipData_(std::move(clipData)) {}

    QStringList tables() const;
    // The stored queries (views) of the open database, filters included ("Check to use
    // queries").
    QStringList queries() const;
    QStringList fields(const QString& table, bool fromClipData) const;
    QStringList filters() const;
    // Refills the box, keeping its choice when it is still there; blank first when optional.
    static void fill(QComboBox* box, const QStringList& items, bool optional = false);

private:
    SessionDatabase& session_;
    ClipData clipData_;
};
