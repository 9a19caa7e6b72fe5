#pragma once
// The spider diagram window ("Spider diagram"): a spider type and a normalization sample from
// the system database, a classifier, the samples chosen in the selection window, and the
// options "Scan", "Pack", "Connect over missing values" and "Use ClipData". Draw fetches the
// values, normalizes them and builds the figure; the menus' operations live here too. Talks to
// the person only through Dialogs; opens the system database for each job and closes it. The
// macro line VIEW SPIDER opens the window through MainFrame::openSpider.
#include "figure/Figure.h"
#include "figure/NamedStyle.h"
#include "spider/NormalizationSample.h"
#include "spider/SpiderElementNames.h"
#include "spider/SpiderFieldMatcher.h"
#include "spider/SpiderFigureBuilder.h"
#include "spider/SpiderLibrary.h"
#include "spider/SpiderRows.h"

#include <QMap>
#include <functional>
#include <memory>
#include <optional>

class Dialogs;
class SessionDatabase;
class Sheet;
class Status;
struct OpenedConnection;

class SpiderWindow {
public:
    using SystemOpener = std::function<OpenedConnection()>;
    using SheetSource = std::function<Sheet*()>;

    SpiderWindow(SessionDatabase& session, Dialogs& dialogs, Status& status, SystemOpener system,
                 SystemTables names = {});

    static QString caption() { return QStringLiteral("Spider diagram"); }
    static QString shortName() { return QStringLiteral("Spider"); }
    static QString noNormalization() { return QStringLiteral("<< No normalization >>"); }

    // Reads the spider types and normalization samples again; false after saying why.
    bool reloadLibrary();
    QStringList spiderTypes() const;
    // "<< No normalization >>", then the samples of the chosen type.
    QStringList normalizationSamples() const;

    void setSpiderType(const QString& name);
    const QString& spiderType() const { return type_; }
    void setNormalization(const QString& sample) { normalization_ = sample; }
    const QString& normalization() const { return normalization_; }
    void setClassifier(const QString& table, const QString& field);
    const QString& classTable() const { return classTable_; }
    const QString& classField() const { return classField_; }
    // The samples to draw: their keys, from a table (or filter) and its key field.
    void setSelection(const QString& table, const QString& keyField, std::vector<CellValue> keys);
    qsizetype selectedCount() const { return qsizetype(keys_.size()); }
    const QString& selectionTable() const { return keyTable_; }
    const QString& selectionKeyField() const { return keyField_; }
    const std::vector<CellValue>& selectedKeys() const { return keys_; }

    struct Switches {
        bool scan = false;
        bool pack = false;
        bool connectOverMissing = false;
        bool useClipData = false;
    };
    Switches switches;
    void setClipDataSource(SheetSource source) { clipData_ = std::move(source); }

    // "&Draw": false after the message saying why nothing was drawn.
    bool draw();
    const Figure& figure() const { return figure_; }
    Figure& figure() { return figure_; }
    const QString& lastStatement() const { return statement_; }
    bool hasFigure() const { return !figure_.series.empty(); }
    // The figure of the rows held built again (names, options, objects), without a query;
    // false when nothing has been drawn.
    bool redraw();
    // Lays the window's user objects over each figure built (set by their owner, SpiderObjects).
    std::function<void(Figure&)> overlay;
    // Scan: the sample shown, stepped by one; false at either end.
    bool stepSample(int by);
    qsizetype scanRow() const { return scanRow_; }

    // "Options for elements in X-axis" and "Item Names".
    SpiderElementNames::Style elementStyle = SpiderElementNames::Style::ElementOnly;
    bool renameItem(int position);
    // "&Edit Legend": a series' name.
    bool renameSeries(int index);
    // Y axis "&Title" > "&Change", "&Text before normalization".
    bool changeYTitle();
    bool changeTextBeforeNormalization();
    bool showSpiderName = false;
    bool showNormalizationName = false;
    bool legendVisible = true;
    bool yLogarithmic = true;
    GridStyle yGrid = GridStyle::None;
    // The spider figures' styles ("\ini\SpiSymbol.sty"): a series of a row's name takes its style.
    StyleTable styles;

    // "&Show normalization sample": the text shown; "Copy to clipboard?" answered Yes puts it
    // on the clipboard through copyText.
    std::function<void(const QString&)> copyText;
    QString normalizationSampleText();
    void showNormalizationSample();
    // "&Edit Normalization sample": the statement the grid opens, names matched by equality
    // with escaped literals; empty after saying that no sample is chosen.
    QString editNormalizationStatement();
    // "SpiderTable...": the sheet "Spider data" of the last draw.
    Sheet spiderTable() const;
    // "Copy spider": a new type with the chosen one's elements, optionally its samples.
    bool copySpiderType();
    // "Export"/"Import" of "SpiderMain.txt" and "SpiderNorm.txt" in a folder.
    bool exportLibrary(const QString& folder);
    bool importLibrary(const QString& folder);

    const SystemTables& systemTables() const { return names_; }
    // The fields of the session database the chosen type's elements are matched to (the
    // selection window's "Only the ones which have data in all fields").
    std::vector<std::pair<QString, QString>> typeFields() const;

private:
    // The system database for one job; nullptr after the message.
    std::unique_ptr<Connection> openSystem();
    std::vector<SpiderFigureBuilder::Position> positionsOf(const SpiderType& type,
                                                           std::vector<SpiderFieldMatcher::Match>&);
    std::optional<SpiderRows> fetch(const SpiderType& type,
                                    const std::vector<SpiderFieldMatcher::Match>& matches);
    std::optional<SpiderRows> fetchFromSheet(const SpiderType& type,
                                             std::vector<SpiderFieldMatcher::Match>& matches,
                                             std::vector<SpiderFigureBuilder::Position>& positions);
    std::optional<NormalizationSample> chosenSample() const;
    void finishFigure();

    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    SystemOpener system_;
    SystemTables names_;
    SheetSource clipData_;
    std::vector<SpiderType> types_;
    std::vector<NormalizationSample> samples_;
    QString type_;
    QString normalization_ = noNormalization();
    QString classTable_, classField_;
    QString keyTable_, keyField_;
    std::vector<CellValue> keys_;
    QMap<int, QString> itemNames_; // 1-based position -> the person's name for it
    QString yTitle_;               // set by "&Change"; empty: the automatic title
    QString textBeforeNormalization_;
    QMap<int, QString> seriesNames_;
    SpiderRows rows_;
    std::vector<SpiderFigureBuilder::Position> positions_;
    std::optional<Classification> classes_;
    Figure figure_;
    QString statement_;
    qsizetype scanRow_ = 0;
};
