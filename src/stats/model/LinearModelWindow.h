#pragma once
// The linear model window ("Linear Model"): the item to be modeled and the ordered model
// parameters, the options, "Create Model" (rows from the database into the statistics
// component, then the stepwise chain of regressions), the result book (the model table and the
// sheets MLC, MBC, MLIN and MXY), the three charts and the model templates. Talks to the person
// only through Dialogs and Status. Holds its caller's session, which must outlive it.
#include "figure/Figure.h"
#include "platform/Workbook.h"
#include "stats/model/StepwiseLinearModel.h"

#include <optional>

class Dialogs;
class LinkSearch;
class SessionDatabase;
class Status;

struct ModelVariable {
    QString table;
    QString field;
    bool operator==(const ModelVariable&) const = default;
};

class LinearModelWindow {
public:
    LinearModelWindow(SessionDatabase& session, Dialogs& dialogs, Status& status);

    static QString caption() { return QStringLiteral("Linear Model"); }
    static QString modelSheet() { return QStringLiteral("Model"); }
    static QString templateFilter() { return QStringLiteral("Text files (*.txt)|*.txt"); }

    ModelVariable item;                   // "Y Table" / "Y Field"
    std::vector<ModelVariable> variables; // "Model parameters", in order
    LinearModelOptions options;
    bool useFilter = false;
    QString filter;                // without its "f_"
    bool withoutTableName = false; // "Without table name"

    // "Availabe" -> "Model parameters": added once; "Del" (0-based) and "Clear".
    bool addVariable(const ModelVariable& v);
    void deleteVariable(int index);
    void clearVariables() { variables.clear(); }

    // The SELECT of the item and the variables, joined, the item not Null, in key order; empty
    // (after saying why) when it cannot be made.
    QString statement(const LinkSearch& links);
    // "Create Model": false after the message saying why nothing was modeled.
    bool createModel();
    const std::optional<LinearModel>& model() const { return model_; }
    const Workbook& book() const { return book_; }

    // "Bar Chart>>" ("LM Model graph"), "Line Chart>>" ("LM Line graph"), the double click on
    // the model table ("LM XY graph"); empty figures before a model.
    Figure barChart() const;
    Figure lineChart() const;
    Figure xyChart() const;

    // "Save Model template" / "Open Model template": the item, the variables and the options
    // as "key=value" lines. False after "Error in writing file" / a message on reading.
    bool saveTemplate(const QString& path);
    bool openTemplate(const QString& path);

private:
    QString label(const ModelVariable& v) const;
    void fillBook(const std::vector<double>& observed,
                  const std::vector<std::vector<double>>& columns);

    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    std::optional<LinearModel> model_;
    Workbook book_;
};
