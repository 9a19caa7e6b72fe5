#pragma once
// One value a formula computes: a number, a truth value, a text or one of the spreadsheet error
// values. Plain value type; anyone may use it.
#include <QString>

enum class FormulaError { None, DivideByZero, Number, Value, Name };

class FormulaValue {
public:
    enum class Kind { Number, Boolean, Text, Error };

    FormulaValue() = default;
    static FormulaValue number(double value) { return {Kind::Number, value, {}, {}}; }
    static FormulaValue boolean(bool value) { return {Kind::Boolean, value ? 1.0 : 0.0, {}, {}}; }
    static FormulaValue text(QString value) { return {Kind::Text, 0, std::move(value), {}}; }
    static FormulaValue error(FormulaError error) { return {Kind::Error, 0, {}, error}; }

    Kind kind() const { return kind_; }
    bool isNumber() const { return kind_ == Kind::Number; }
    bool isError() const { return kind_ == Kind::Error; }
    // The number of a Number (or 1/0 of a Boolean); 0 otherwise.
    double toNumber() const { return number_; }
    FormulaError error() const { return error_; }
    // "#DIV/0!", "#NUM!", "#VALUE!", "#NAME?"; empty for None.
    static QString errorText(FormulaError error);
    // What a cell shows: the number in shortest C-locale form, "TRUE"/"FALSE", the text, or
    // the error text.
    QString toText() const;

private:
    FormulaValue(Kind kind, double number, QString text, FormulaError error)
        : kind_(kind)
        , number_(number)
        , text_(std::move(text))
        , error_(error) {}

    Kind kind_ = Kind::Number;
    double number_ = 0;
    QString text_;
    FormulaError error_ = FormulaError::None;
};
