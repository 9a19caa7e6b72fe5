#pragma once
// The converter window ("QUV Data - Converter"): a mineral picked from the mineral library, or
// a formula typed, is turned into its element and oxide weight per cents, shown in one of three
// layouts. Talks to the person only through Dialogs; a view shows the state.
#include "chem/FormulaComposition.h"
#include "chem/MineralLibrary.h"

#include <QString>
#include <optional>

class Dialogs;

class ConverterWindow {
public:
    enum class Layout { Combos = 1, Text = 2, Table = 3 };

    explicit ConverterWindow(Dialogs& dialogs);

    static QString caption() { return QStringLiteral("QUV Data - Converter"); }
    static QString shortName() { return QStringLiteral("Calculus"); }

    // The settings' library when both keys are filled in, else the shipped one in the user
    // folder (written there on first use). False, with the list empty, when it cannot be read.
    bool openLibrary(const QString& database, const QString& table, const QString& userFolder);
    QStringList minerals() const;

    // Choosing a mineral: its formula is set and calculated. A name with no record leaves
    // everything as it was (false).
    bool chooseMineral(const QString& name);
    const QString& formula() const { return formula_; }
    void setFormula(const QString& formula) { formula_ = formula; }
    // "Calculate": false after the message saying why the formula cannot be read.
    bool calculate();
    const std::optional<FormulaComposition>& result() const { return result_; }

    // "Formstyle": the layout mode, stepped 1 -> 2 -> 3 -> 1 by the up/down control (or back).
    Layout layout() const { return layout_; }
    void stepLayout(bool up);
    static QString layoutName(Layout layout);

    // The result as shown in the current layout: the text layout as lines, the table and combo
    // layouts as tab-separated rows ("&Copy result" puts this on the clipboard). Empty before a
    // calculation.
    QString resultText() const;

private:
    Dialogs& dialogs_;
    std::optional<MineralLibrary> library_;
    QString formula_;
    std::optional<FormulaComposition> result_;
    Layout layout_ = Layout::Combos;
};
