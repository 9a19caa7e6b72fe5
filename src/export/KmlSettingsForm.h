#pragma once
// The settings box of the KML export: its column lists and the rules of its OK button. The lists
// hold the grid's column captions in grid order; the description list adds "<<All>>" and
// "<<All visible>>" after them. The view shows it; the export keeps the settings it accepts.
#include "export/KmlSettings.h"

#include <QString>
#include <QStringList>

class Dialogs;

class KmlSettingsForm {
public:
    struct Choice {
        int header = -1; // index into the column list, -1: nothing chosen
        int latitude = -1;
        int longitude = -1;
        int description = -1; // index into the description list
        QString range;
        QString tilt;
    };

    static QString allItem() { return QStringLiteral("<<All>>"); }
    static QString allVisibleItem() { return QStringLiteral("<<All visible>>"); }

    KmlSettingsForm(QStringList captions, KmlSettings& settings);

    const QStringList& columnList() const { return captions_; }
    QStringList descriptionList() const;
    // The current settings as the box shows them.
    Choice current() const;

    // OK: warns and returns false while a required column is missing (the box stays open);
    // otherwise stores the choice, with range and tilt brought into their bounds.
    bool accept(const Choice& choice, Dialogs& dialogs);

    // Range outside 10..500000 (or not a number) becomes 40000; tilt below 0 becomes 0, above
    // 90 becomes 65.
    static float boundedRange(const QString& text);
    static float boundedTilt(const QString& text);

private:
    QStringList captions_;
    KmlSettings& settings_;
};
