#include "filter/ui/QueryView.h"

#include "db/SessionDatabase.h"
#include "filter/ConditionPreparer.h"
#include "platform/Dialogs.h"
#include "platform/qt/ComboRefill.h"
#include "query/CatalogueJoinConditions.h"
#include "query/FilterBaseResolver.h"
#include "query/QueryGridHost.h"
#include "query/QueryTableChooser.h"
#include "query/SqlClauseSplitter.h"
#include "query/ui/QueryTableChooserDialog.h"
#include "query/ui/SqlClauseDialog.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The chooser's statement goes to the frame's grid.
class GridOpener : public QueryGridHost {
public:
    explicit GridOpener(const std::function<bool(const QString&, const QString&)>& open)
        : open_(open) {}
    bool openInGrid(const QString& statement) override {
        return open_ && open_(statement, QStringLiteral("Query/") + QueryTableChooser::caption());
    }

private:
    const std::function<bool(const QString&, const QString&)>& open_;
};
} // namespace

QueryView::QueryView(SessionDatabase& session, Dialogs& dialogs, const WindowGeometry* geometry,
                     QWidget* parent)
    : QWidget(parent)
    , session_(session)
    , dialogs_(dialogs)
    , geometry_(geometry)
    , window_(session, dialogs)
    , sql_(new QPlainTextEdit)
    , field_(new QComboBox)
    , operator_(new QComboBox)
    , condition_(new QLineEdit) {
    setWindowTitle(QStringLiteral("Query"));
    sql_->setObjectName(QStringLiteral("txtSQLWindow"));
    sql_->setPlaceholderText(QStringLiteral("SELECT * FROM [Table]"));
    sql_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    field_->setEditable(true);
    operator_->addItems(ConditionPreparer::operators());
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Field:"), field_);
    form->addRow(QStringLiteral("Operator:"), operator_);
    form->addRow(QStringLiteral("Condition:"), condition_);

    auto* buttons = new QGridLayout;
    const auto button = [&](const QString& caption, int row, int column, auto&& clicked) {
        auto* b = new QPushButton(caption);
        connect(b, &QPushButton::clicked, this, clicked);
        buttons->addWidget(b, row, column);
    };
    button(QStringLiteral("Add condition"), 0, 0, [this] { act(&QueryWindow::addCondition); });
    button(QStringLiteral("Run"), 0, 1, [this] { run(); });
    button(QStringLiteral("Select Table in Query..."), 0, 2, [this] { chooseTable(); });
    button(QStringLiteral("Save as Query..."), 1, 0, [this] { act(&QueryWindow::saveAsQuery); });
    button(QStringLiteral("Save..."), 1, 1, [this] { act(&QueryWindow::saveSqlFile); });
    button(QStringLiteral("Open..."), 1, 2, [this] { act(&QueryWindow::openSqlFile); });
    button(QStringLiteral("&Edit SQL..."), 2, 0, [this] {
        if (const auto text = SqlClauseDialog::edit(sql_->toPlainText(), dialogs_, geometry_, this))
            sql_->setPlainText(*text);
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sql_, 1);
    layout->addLayout(form);
    layout->addLayout(buttons);
    connect(sql_, &QPlainTextEdit::textChanged, this, [this] { refreshLists(); });
    connect(operator_, &QComboBox::currentTextChanged, this, [this](const QString& op) {
        condition_->setEnabled(!ConditionPreparer::takesNoValue(op));
    });
}

void QueryView::refreshLists() {
    const SchemaCatalogue& catalogue = session_.catalogue();
    QStringList fields;
    const QString from = SqlClauseSplitter::splitSqlText(sql_->toPlainText()).fromPart;
    for (const QString& table : QueryTableChooser::fromTables(from))
        for (const QString& f : catalogue.fieldNames(table))
            if (!fields.contains(f))
                fields << f;
    // A field typed by hand stays; otherwise the first field of the tables is offered.
    const QString typed = field_->currentText();
    refillKeepingChoice(field_, fields);
    if (!typed.isEmpty())
        field_->setEditText(typed);
}

void QueryView::act(bool (QueryWindow::*action)()) {
    window_.sql = sql_->toPlainText();
    window_.field = field_->currentText().trimmed();
    window_.op = operator_->currentText();
    window_.condition = condition_->text();
    if ((window_.*action)() && window_.sql != sql_->toPlainText())
        sql_->setPlainText(window_.sql);
}

void QueryView::run() {
    const QString text = sql_->toPlainText().trimmed();
    if (text.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("SQL clause window is empty"));
        return;
    }
    if (openGrid)
        openGrid(text, QStringLiteral("SQL/Query"));
}

void QueryView::chooseTable() {
    Connection* db = session_.isOpen() ? session_.connection() : nullptr;
    if (!db) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No database open"));
        return;
    }
    const FilterBaseResolver bases(*db, session_.catalogue());
    const LinkSearch links(session_.catalogue(), bases);
    const CatalogueJoinConditions joins(links);
    GridOpener host(openGrid);
    QueryTableChooser chooser(dialogs_, joins, host);
    chooser.load(sql_->toPlainText());
    if (chooser.tables().isEmpty()) {
        dialogs_.message(MessageKind::Information,
                         QStringLiteral("The SQL text names no table after FROM"));
        return;
    }
    QueryTableChooserDialog(chooser, geometry_, this).exec();
}
