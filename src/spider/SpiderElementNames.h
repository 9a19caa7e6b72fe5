#pragma once
// The X-axis labels of a spider diagram's element positions ("Options for elements in X-axis"):
// the field name in full, or only its element: a name longer than one character is cut to its
// first two characters, or to the first alone when the second is a digit, "O", "_", "%" or a
// blank (La_ppm -> La, K2O -> K, Y_ppm -> Y, Th -> Th).
#include <QString>

class SpiderElementNames {
public:
    enum class Style { ElementOnly, FullName };

    static QString label(const QString& fieldName, Style style);
};
