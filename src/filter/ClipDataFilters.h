#pragma once
// The filters kept in the ClipData sheet: stored conditions on a sheet column. The ClipData
// sheet implements it; the filter window works through it while its "ClipData" box is set.
#include <QString>
#include <optional>

class ClipDataFilters {
public:
    virtual ~ClipDataFilters() = default;
    // A filter named name for the rows whose column matches; the number of ClipData filters
    // afterwards, nullopt when it cannot be made.
    virtual std::optional<int> makeFilter(const QString& sheet, const QString& column,
                                          const QString& op, const QString& value,
                                          const QString& name) = 0;
    // One filter per distinct value of the column; how many were made.
    virtual int makeAutoFilters(const QString& sheet, const QString& column,
                                const QString& prefix) = 0;
};
