#include "formula/FormulaValue.h"

#include "formula/FormulaNumbers.h"

QString FormulaValue::errorText(FormulaError error) {
    switch (error) {
    case FormulaError::DivideByZero:
        return QStringLiteral("#DIV/0!");
    case FormulaError::Number:
        return QStringLiteral("#NUM!");
    case FormulaError::Value:
        return QStringLiteral("#VALUE!");
    case FormulaError::Name:
        return QStringLiteral("#NAME?");
    case FormulaError::None:
        break;
    }
    return {};
}

QString FormulaValue::toText() const {
    switch (kind_) {
    case Kind::Number:
        return QString::fromStdString(FormulaNumbers::format(number_));
    case Kind::Boolean:
        return number_ != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case Kind::Text:
        return text_;
    case Kind::Error:
        return errorText(error_);
    }
    return {};
}
