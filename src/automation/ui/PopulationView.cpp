#include "automation/ui/PopulationView.h"

#include "automation/ui/PopulationProgramModel.h"
#include "db/SessionDatabase.h"
#include "platform/Dialogs.h"
#include "stats/ui/StatisticsPickers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

PopulationView::PopulationView(SessionDatabase& session, Dialogs& dialogs, Status& status,
                               const QString& programIni, const QString& userIni,
                               const QString& dataFolder, QWidget* parent)
    : QWidget(parent)
    , session_(session)
    , dialogs_(dialogs)
    , dataFolder_(dataFolder)
    , window_(session, dialogs, status, programIni, userIni)
    , table_(new QComboBox)
    , field_(new QComboBox)
    , key_(new QComboBox)
    , filter_(new QComboBox)
    , resultDb_(new QLineEdit)
    , verify_(new QCheckBox(QStringLiteral("Show and verify result after each analysis")))
    , sheet_(new QTableView)
    , model_(new PopulationProgramModel(&window_.program, this))
    , log_(new QPlainTextEdit) {
    setWindowTitle(PopulationWindow::caption());
    table_->setObjectName(QStringLiteral("cmbT"));
    field_->setObjectName(QStringLiteral("cmbF"));
    key_->setObjectName(QStringLiteral("cmbKey"));
    filter_->setObjectName(QStringLiteral("cmbFILTER"));
    resultDb_->setObjectName(QStringLiteral("txtResultDB"));
    resultDb_->setReadOnly(true);
    sheet_->setObjectName(QStringLiteral("F1PEdit"));
    sheet_->setModel(model_);
    sheet_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    log_->setReadOnly(true);

    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    const QString defaultProgram = dataFolder_ + QStringLiteral("/Analysis.pmc");
    file->addAction(QStringLiteral("&Open Macro"), this, [this, defaultProgram] {
        if (const auto p = dialogs_.openFile(QStringLiteral("Open Macro"),
                                             PopulationWindow::fileFilter(), dataFolder_);
            p && window_.openProgram(*p, false))
            model_->reset();
    });
    file->addAction(QStringLiteral("Open and Append Macro"), this, [this] {
        if (const auto p = dialogs_.openFile(QStringLiteral("Open and Append Macro"),
                                             PopulationWindow::fileFilter(), dataFolder_);
            p && window_.openProgram(*p, true))
            model_->reset();
    });
    file->addAction(QStringLiteral("&Save Macro"), this, [this, defaultProgram] {
        const QString proposed =
            window_.programFile.isEmpty() ? defaultProgram : window_.programFile;
        if (const auto p = dialogs_.saveFile(QStringLiteral("Save Macro"),
                                             PopulationWindow::fileFilter(), proposed))
            window_.saveProgram(*p);
    });

    auto* id = new QGroupBox(QStringLiteral("Population ID"));
    id->setToolTip(
        QStringLiteral("Each unique entry in Table.Field makes a population group to be analysed"));
    auto* form = new QFormLayout(id);
    form->addRow(QStringLiteral("Table"), table_);
    form->addRow(QStringLiteral("Field"), field_);
    form->addRow(QStringLiteral("Key"), key_);
    form->addRow(QStringLiteral("Filter"), filter_);
    auto* defaults = new QPushButton(QStringLiteral("Set As Default"));
    form->addRow(defaults);
    auto* newDb = new QPushButton(QStringLiteral("New"));
    auto* browseDb = new QPushButton(QStringLiteral("..."));
    auto* resultRow = new QHBoxLayout;
    resultRow->addWidget(resultDb_, 1);
    resultRow->addWidget(browseDb);
    resultRow->addWidget(newDb);
    form->addRow(QStringLiteral("Database where analysis result is stored"), resultRow);
    auto* runButton = new QPushButton(QStringLiteral("Run"));
    runButton->setObjectName(QStringLiteral("cmdRun"));

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addWidget(id);
    layout->addWidget(sheet_, 3);
    layout->addWidget(verify_);
    layout->addWidget(runButton);
    layout->addWidget(log_, 1);

    connect(table_, &QComboBox::currentTextChanged, this, [this](const QString& table) {
        const QStringList fields = StatisticsPickers(session_, {}).fields(table, false);
        const QString f = field_->currentText(), k = key_->currentText();
        StatisticsPickers::fill(field_, fields);
        StatisticsPickers::fill(key_, fields);
        field_->setCurrentText(f);
        key_->setCurrentText(k);
    });
    connect(defaults, &QPushButton::clicked, this, [this] {
        takeBoxes();
        window_.saveDefaults();
    });
    connect(newDb, &QPushButton::clicked, this, [this] {
        if (const auto p = dialogs_.saveFile(QStringLiteral("New"),
                                             QStringLiteral("SQLite database (*.sqlite)|*.sqlite"),
                                             dataFolder_ + QStringLiteral("/Analysis.sqlite"));
            p && window_.newResultDatabase(*p))
            resultDb_->setText(*p);
    });
    connect(browseDb, &QPushButton::clicked, this, [this] {
        if (const auto p = dialogs_.openFile(
                QStringLiteral("Database where analysis result is stored"),
                QStringLiteral("Databases (*.sqlite;*.db;*.mdb)|*.sqlite;*.db;*.mdb"), dataFolder_);
            p && window_.setResultDatabase(*p))
            resultDb_->setText(*p);
    });
    connect(runButton, &QPushButton::clicked, this, [this] { run(); });
    window_.readDefaults();
    refreshLists();
    showController();
}

void PopulationView::refreshLists() {
    const StatisticsPickers pickers(session_, {});
    const QString t = table_->currentText(), f = filter_->currentText();
    StatisticsPickers::fill(table_, pickers.tables());
    StatisticsPickers::fill(filter_, pickers.filters(), true);
    table_->setCurrentText(t);
    filter_->setCurrentText(f);
}

void PopulationView::showController() {
    const PopulationAnalysis::Definition& d = window_.definition;
    if (!d.table.isEmpty())
        table_->setCurrentText(d.table);
    if (!d.field.isEmpty())
        field_->setCurrentText(d.field);
    if (!d.key.isEmpty())
        key_->setCurrentText(d.key);
    filter_->setCurrentText(d.filter);
    resultDb_->setText(window_.resultDatabasePath());
    verify_->setChecked(window_.verify);
    model_->reset();
}

void PopulationView::takeBoxes() {
    window_.definition = {table_->currentText(), field_->currentText(), key_->currentText(),
                          filter_->currentText()};
    window_.verify = verify_->isChecked();
}

bool PopulationView::run() {
    takeBoxes();
    window_.log.clear();
    const bool ran = window_.run();
    log_->setPlainText(window_.log.isEmpty() ? QStringLiteral("No Errors")
                                             : window_.log.join(QLatin1Char('\n')));
    return ran;
}
