#include "app/WindowGeometry.h"

#include "platform/IniFile.h"

#include <cmath>

namespace {
const QString appearance = QStringLiteral("WindowAppearence");

std::optional<int> twipsToPixels(const std::optional<QString>& text) {
    if (!text)
        return std::nullopt;
    bool ok = false;
    const double pixels = text->trimmed().toDouble(&ok) / WindowGeometry::twipsPerPixel;
    // A hand-edited or damaged file may say anything ("1e300", "inf"): such a place is no place.
    if (!ok || !(std::abs(pixels) <= WindowGeometry::maxPixels))
        return std::nullopt;
    return int(std::lround(pixels));
}

bool storable(const std::optional<int>& pixels) {
    return pixels && std::abs(*pixels) <= WindowGeometry::maxPixels;
}
} // namespace

WindowGeometry::WindowGeometry(const UserSettingsStore& store, QString appTitle)
    : store_(store)
    , appTitle_(std::move(appTitle)) {}

WindowRect WindowGeometry::read(const QString& section, const QString& prefix,
                                bool withSize) const {
    const IniFile ini = IniFile::load(store_.fileFor(appTitle_));
    auto key = [&](const char* k) {
        return twipsToPixels(ini.value(section, prefix + QLatin1String(k)));
    };
    WindowRect r;
    r.left = key("Left");
    r.top = key("Top");
    if (withSize) {
        r.width = key("Width");
        r.height = key("Height");
    }
    return r;
}

void WindowGeometry::write(const QString& section, const QString& prefix, const WindowRect& r,
                           bool withSize) const {
    const QString path = store_.fileFor(appTitle_);
    IniFile ini = IniFile::load(path);
    auto put = [&](const char* k, const std::optional<int>& v) {
        if (storable(v))
            ini.setValue(section, prefix + QLatin1String(k), QString::number(*v * twipsPerPixel));
    };
    put("Left", r.left);
    put("Top", r.top);
    if (withSize) {
        put("Width", r.width);
        put("Height", r.height);
    }
    ini.save(path);
}

WindowRect WindowGeometry::load(const QString& shortName, bool dialogSized) const {
    return read(appearance, shortName, !dialogSized);
}

void WindowGeometry::save(const QString& shortName, const WindowRect& rect,
                          bool dialogSized) const {
    write(appearance, shortName, rect, !dialogSized);
}

WindowRect WindowGeometry::loadMain() const {
    return read(QStringLiteral("Settings"), QStringLiteral("Main"), true);
}

void WindowGeometry::saveMain(const WindowRect& rect) const {
    write(QStringLiteral("Settings"), QStringLiteral("Main"), rect, true);
}
