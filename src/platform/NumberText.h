#pragma once
// Numbers as text, the one way the program writes and reads them: the C locale, never the
// user's, and the shortest form that reads back as exactly the same double. Anyone may call it.
#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>
#include <string_view>

class NumberText {
public:
    // Whether the words "nan", "inf" and "-inf" count as numbers. Data texts never read as
    // numbers through them (a sample may be named "Inf"); only the workbook file uses them.
    enum class Specials { Reject, Accept };

    // Shortest round-trip form: "0.1", "-0", "1e-300", "123456789012"; "nan", "inf", "-inf".
    static QString toText(double value);
    // For the eye, never for storage: at most 10 significant digits, so float noise such as
    // 54.599999999999994 shows as "54.6"; whole-number digits are never cut (up to 15), so
    // 123456789012 stays itself. "1e-12", "0" (also for -0), "nan", "inf".
    static constexpr int displayDigits = 10;
    static QString toDisplayText(double value);
    // The shortest form that reads back as the same float: 65.3f gives "65.3", not the
    // digits of the double it widens to.
    static QString floatToText(float value);
    // Appends the same form to an 8-bit buffer (UTF-8 and Latin-1 agree on it).
    static void appendTo(QByteArray& out, double value);

    // A decimal number in the C locale with optional surrounding white space, an optional
    // sign, digits with an optional point and an optional exponent ("12", " -1.5e3 ", "+.5").
    // Not a number: "", "1,5", "0x10", "1e", "1e999" (out of range), any non-ASCII digit, any
    // text longer than maxLength (so both overloads agree on every input).
    static constexpr std::size_t maxLength = 400;
    static std::optional<double> fromText(QStringView text, Specials specials = Specials::Reject);
    static std::optional<double> fromText(std::string_view text,
                                          Specials specials = Specials::Reject);
};
