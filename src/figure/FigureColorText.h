#pragma once
// A figure colour as the person types it: "#rrggbb". Anyone may call it.
#include "figure/FigureColor.h"

#include <QString>
#include <optional>

class FigureColorText {
public:
    // nullopt for anything but "#" and six hexadecimal digits (blanks around are allowed).
    static std::optional<FigureColor> fromText(const QString& text);
    static QString toText(FigureColor color);
};
