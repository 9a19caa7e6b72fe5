#pragma once
// The functions of the spreadsheet syntax by name, with the spreadsheet's semantics where they
// differ from C's: ATAN2(x, y) is atan2(y, x), ROUND rounds halves away from zero, CEILING and
// FLOOR refuse a positive number with a negative significance, LOG defaults to base 10. Every
// function returns an error value instead of an infinite or NaN result.
#include "formula/FormulaCell.h"

#include <QStringView>

class FormulaFunctions {
public:
    struct Info {
        const char* name;
        int minArguments;
        int maxArguments; // -1: any number
    };
    // The function's id, or -1 when there is none of that name (case-insensitive).
    static int find(QStringView name);
    static const Info& info(int id);
    // args: the evaluated arguments in order.
    static FormulaCell call(int id, const FormulaCell* args, int count, FormulaTextPool& texts);

    // A cell as a number for arithmetic: texts that read as numbers, truth values as 1/0;
    // other texts give #VALUE!, errors stay.
    static FormulaCell toNumber(const FormulaCell& cell, const FormulaTextPool& texts);
};
