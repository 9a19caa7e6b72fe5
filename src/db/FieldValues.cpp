#include "db/FieldValues.h"

#include "platform/AdoType.h"
#include "platform/Connection.h"
#include "platform/FieldNumber.h"
#include "platform/NumberText.h"

#include <algorithm>

namespace {

bool isTextType(int code) {
    constexpr int codes[] = {
        8, 129, 200, 201, AdoType::WChar, AdoType::VarWChar, AdoType::LongVarWChar};
    return std::find(std::begin(codes), std::end(codes), code) != std::end(codes);
}

bool isNumericType(int code) {
    constexpr int codes[] = {AdoType::SmallInt,
                             AdoType::Integer,
                             AdoType::Single,
                             AdoType::Double,
                             AdoType::Currency,
                             AdoType::Boolean,
                             14,
                             AdoType::TinyInt,
                             AdoType::UnsignedTinyInt,
                             18,
                             19,
                             AdoType::BigInt,
                             21,
                             AdoType::Numeric};
    return std::find(std::begin(codes), std::end(codes), code) != std::end(codes);
}

} // namespace

FieldValues::FieldValues(Connection& database, const QString& table) {
    if (const auto columns = database.columns())
        for (const ColumnDescription& c : *columns)
            if (c.table.compare(table, Qt::CaseInsensitive) == 0)
                types_[c.name.toLower()] = c.typeCode;
}

CellValue FieldValues::forType(int code, const QString& text) {
    if (text.isEmpty())
        return CellValue::null();
    if (isTextType(code))
        return CellValue::text(text);
    const std::optional<double> n =
        isNumericType(code) ? NumberText::fromText(text) : FieldNumber::of(text);
    return n ? CellValue::number(*n) : CellValue::text(text);
}

CellValue FieldValues::of(const QString& field, const QString& text) const {
    const auto type = types_.find(field.toLower());
    return forType(type == types_.end() ? AdoType::Variant : type->second, text);
}

bool FieldValues::isNumeric(const QString& field) const {
    const auto type = types_.find(field.toLower());
    return type != types_.end() && isNumericType(type->second);
}
