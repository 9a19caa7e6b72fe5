#pragma once
// The correlation window ("Correlation matrix"): Pearson's r between every pair of fields of a
// table, or of two tables joined on their samples, with pairwise deletion; one sheet of
// coefficients and one of the rows each used. With a classifier, a pair of sheets per class (at
// most 20 classes). The display tools (digits, highlighting, the minimum count) and the
// deletion of fields work on a pair of sheets. Talks to the person only through Dialogs and
// Status. Holds its caller's session, which must outlive it.
#include "platform/Dialogs.h"
#include "platform/Workbook.h"

#include <QString>
#include <functional>
#include <optional>

class LinkSearch;
class SessionDatabase;
class Sheet;
class StatisticsComponent;
class Status;

class CorrelationWindow {
public:
    using ClipDataSource = std::function<const Sheet*()>;
    static constexpr int maxClasses = 20;

    CorrelationWindow(SessionDatabase& session, Dialogs& dialogs, Status& status);

    static QString caption() { return QStringLiteral("Correlation matrix"); }
    static QString coefficientSheet() {
        return QStringLiteral("Correlation Coefficient (Pearson)");
    }
    static QString countSheet() { return QStringLiteral("Number of analysed rows"); }

    QString table;       // "Statistics of Table"
    QString secondTable; // "Second Table"; none when empty
    QString classTable;  // "Classifier Table"
    QString classField;  // "Classifier Element"; no classifier when empty
    bool useClipData = false;
    bool useFilter = false;
    QString filter; // without its "f_"

    void setClipDataSource(ClipDataSource source) { clipData_ = std::move(source); }

    // The SELECT of the current choices; empty (after saying why) when it cannot be made.
    QString statement(const LinkSearch& links);
    // "&Execute": the sheets anew. False when nothing was computed.
    bool execute();
    // Sheets in pairs: the coefficients (odd), then their counts (even). Row 1 and column 1
    // hold the field names; field i is row and column i + 1.
    const Workbook& sheets() const { return sheets_; }
    Workbook& sheets() { return sheets_; }
    int pairCount() const { return sheets_.sheetCount() / 2; }

    // Display settings read by the view.
    int digits() const { return digits_; }
    std::optional<double> highlightThreshold() const { return highlight_; }
    // "&Digits...": asks; false when the answer was not a number of digits.
    bool askDigits();
    // "&Highlight...": asks; false when the answer was not a number.
    bool askHighlight();
    // "&Show Rows Where N is Greater Than": turns the minimum on (asking for it, and blanking
    // the coefficients from no more rows on every pair) or off. The new menu caption.
    QString toggleMinimumCount();
    std::optional<double> minimumCount() const { return minimumCount_; }
    static QString minimumCountCaption(std::optional<double> minimum);

    // "&Delete empty rows and columns" on the pair (0-based).
    void deleteEmptyFields(int pair);
    // "&Delete row and column": field 1-based; asks first. False when cancelled or no field.
    bool deleteField(int pair, int field);

    // "Copy &sheet with headers": the sheet (0-based) as tab-separated lines; nullopt after
    // "No data".
    std::optional<QString> copySheet(int index);
    // "Save...": .xlsx, or the program's workbook for any other extension. False after "Error
    // in writing file".
    bool save(const QString& path);

private:
    bool load(StatisticsComponent& component);
    void fill(const StatisticsComponent& component, int classIndex, int skip,
              const QString& coefficientName, const QString& countName);
    void applyMinimumCount(int pair);

    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    ClipDataSource clipData_;
    Workbook sheets_;
    int digits_ = 3;
    std::optional<double> highlight_;
    std::optional<double> minimumCount_;
};
