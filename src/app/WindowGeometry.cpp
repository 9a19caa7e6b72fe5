#include "app/WindowGeometry.h"

#include "platform/IniFile.h"

namespace {
const QString appearance = QStringLiteral("WindowAppearence");

std::optional<int> twipsToPixels(const std::optional<QString>& text) {
    if (!text)
        return std::nullopt;
    bool ok = false;
    const double twips = text->trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return int(twips / WindowGeometry::twipsPerPixel + (twips < 0 ? -0.5 : 0.5));
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
        if (v)
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
