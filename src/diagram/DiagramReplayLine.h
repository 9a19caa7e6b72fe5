#pragma once
// The command line that replays a draw: "DRAW2 " and the fields GraphType, XTable, XField,
// YTable, YField, ZTable, ZField, ClassTable, ClassField and Filter, joined by ";" in exactly
// this order; an empty field stays empty between its separators.
#include "diagram/DiagramDefinition.h"

#include <optional>

class DiagramReplayLine {
public:
    static QString verb() { return QStringLiteral("DRAW2"); }
    static QString compose(const DiagramDefinition& definition);
    // The definition the line names (other settings as in base); nullopt when it is not a
    // DRAW2 line. A missing trailing field reads as empty; the filter is switched on when named.
    static std::optional<DiagramDefinition> parse(const QString& line,
                                                  const DiagramDefinition& base = {});
};
