#pragma once
// Reads link content: lines ended by CR, LF or both (empty lines skipped), each a key such as
// "TABLENAME=" recognised at the line's start in any case, the value the rest of the line as it
// stands. A line beginning with "," continues KEYDATA; after "[FIELDS]" each line is a field
// "name=value,". Unknown keys are ignored and a repeated key overwrites the earlier value,
// except COMMAND=, whose lines are all kept in order.
#include "link/LinkContent.h"

class LinkContentParser {
public:
    static LinkContent ParseLinkContent(const QString& text);
};
