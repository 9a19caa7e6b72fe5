#pragma once
// A diagram window's scaling state that outlives one draw: the freeze flags, whether a user
// range is in force, the fixed X:Y ratio and the note that says which of them rules. Plain
// value type; the diagram window owns one.
#include <QString>

struct AxisScaleState {
    bool freezeX = false;
    bool freezeY = false;
    bool userScale = false;
    bool ratioFixed = false; // bAxisRatio
    double xPerYRatio = 0.0; // sAxisXPerYRatio; 0 = not yet set

    // The user-scale note, empty while nothing overrides the automatic scale.
    QString note() const {
        if (freezeX && freezeY) {
            return QStringLiteral("Freezed X and Y scale");
        }
        if (freezeX) {
            return QStringLiteral("Freezed X scale");
        }
        if (freezeY) {
            return QStringLiteral("Freezed Y scale");
        }
        return userScale ? QStringLiteral("User defined axis scale") : QString();
    }
};
