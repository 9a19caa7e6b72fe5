#pragma once
// Where a window was: read when it opens, written when it closes, in section
// "WindowAppearence" of the per-user store under its short name + "Left"/"Top"/"Width"/"Height",
// in twips. Dialog-sized windows keep only their position.
#include "platform/UserSettingsStore.h"

#include <optional>

struct WindowRect {
    std::optional<int> left, top, width, height; // pixels; nullopt: the window's default
};

class WindowGeometry {
public:
    static constexpr int twipsPerPixel = 15; // at 96 dots per inch
    // Farther than any screen reaches: a stored value beyond it reads as missing.
    static constexpr int maxPixels = 1'000'000;

    WindowGeometry(const UserSettingsStore& store, QString appTitle = QStringLiteral("QUV Data"));

    WindowRect load(const QString& shortName, bool dialogSized = false) const;
    void save(const QString& shortName, const WindowRect& rect, bool dialogSized = false) const;

    // The main window keeps its own keys, "MainLeft" and so on under section "Settings".
    WindowRect loadMain() const;
    void saveMain(const WindowRect& rect) const;

private:
    WindowRect read(const QString& section, const QString& prefix, bool withSize) const;
    void write(const QString& section, const QString& prefix, const WindowRect& r,
               bool withSize) const;

    const UserSettingsStore& store_;
    QString appTitle_;
};
