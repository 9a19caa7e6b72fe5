#include "stats/ui/BoxWhiskerOptionsDialog.h"

#include "platform/CellValue.h"
#include "platform/NumberText.h"

#include <QApplication>
#include <QClipboard>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

BoxWhiskerOptionsDialog::BoxWhiskerOptionsDialog(BoxWhiskerSettings& settings,
                                                 QStringList& userOrder, QWidget* parent)
    : QDialog(parent)
    , settings_(settings)
    , userOrder_(userOrder)
    , upper_(new QLineEdit)
    , lower_(new QLineEdit)
    , coefficient_(new QLineEdit)
    , minClass_(new QLineEdit)
    , minFull_(new QLineEdit)
    , order_(new QListWidget) {
    setWindowTitle(QStringLiteral("Box & Whisker Options"));
    upper_->setObjectName(QStringLiteral("txtUBV"));
    lower_->setObjectName(QStringLiteral("txtLBV"));
    coefficient_->setObjectName(QStringLiteral("txtOC"));
    minClass_->setObjectName(QStringLiteral("txtnMin"));
    minFull_->setObjectName(QStringLiteral("Text1"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("UBV = Upper Boundary Value"), upper_);
    form->addRow(QStringLiteral("LBV = Lower Boundary Value"), lower_);
    form->addRow(QStringLiteral("Outlier coefficient"), coefficient_);
    form->addRow(QStringLiteral("Minimum number of samples required for class"), minClass_);
    form->addRow(QStringLiteral("Minimum number of samples required for full box  whisker"),
                 minFull_);
    auto* rule = new QLabel(ruleText());
    rule->setWordWrap(true);

    auto* ok = new QPushButton(QStringLiteral("&OK"));
    connect(ok, &QPushButton::clicked, this, [this] {
        if (store())
            accept();
    });
    auto* resetButton = new QPushButton(QStringLiteral("&Reset"));
    connect(resetButton, &QPushButton::clicked, this, [this] { reset(); });
    auto* close = new QPushButton(QStringLiteral("&Close"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* copy = new QPushButton(QStringLiteral("Copy text above"));
    connect(copy, &QPushButton::clicked, this,
            [] { QApplication::clipboard()->setText(ruleText()); });
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {ok, resetButton, close, copy})
        buttons->addWidget(b);

    auto* orderBox = new QGroupBox(QStringLiteral("Order Box  and Whisker Classes"));
    order_->setObjectName(QStringLiteral("listOrder"));
    order_->addItems(userOrder_);
    auto* up = new QPushButton(QStringLiteral("Up"));
    auto* down = new QPushButton(QStringLiteral("Down"));
    const auto move = [this](int step) {
        const int row = order_->currentRow();
        const int to = row + step;
        if (row < 0 || to < 0 || to >= order_->count())
            return;
        order_->insertItem(to, order_->takeItem(row));
        order_->setCurrentRow(to);
    };
    connect(up, &QPushButton::clicked, this, [move] { move(-1); });
    connect(down, &QPushButton::clicked, this, [move] { move(1); });
    auto* orderOk = new QPushButton(QStringLiteral("OK"));
    connect(orderOk, &QPushButton::clicked, this, [this] {
        userOrder_.clear();
        for (int i = 0; i < order_->count(); ++i)
            userOrder_ << order_->item(i)->text();
    });
    auto* orderLayout = new QHBoxLayout(orderBox);
    auto* orderButtons = new QVBoxLayout;
    for (QPushButton* b : {up, down, orderOk})
        orderButtons->addWidget(b);
    orderButtons->addStretch(1);
    orderLayout->addWidget(order_, 1);
    orderLayout->addLayout(orderButtons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(rule);
    layout->addLayout(buttons);
    layout->addWidget(orderBox, 1);
    load(settings_);
}

QString BoxWhiskerOptionsDialog::ruleText() {
    return QStringLiteral(
        "UBV = upper box value and LBV = lower box value, at the percentiles above. An outlier "
        "lies above UBV + outlier coefficient * (UBV - LBV) or below LBV - outlier coefficient "
        "* (UBV - LBV); an extreme lies above UBV + 2 * outlier coefficient * (UBV - LBV) or "
        "below LBV - 2 * outlier coefficient * (UBV - LBV). The whiskers end at the largest and "
        "smallest values that are not outliers.");
}

void BoxWhiskerOptionsDialog::load(const BoxWhiskerSettings& v) {
    upper_->setText(CellValue::formatNumber(v.upperPercentile));
    lower_->setText(CellValue::formatNumber(v.lowerPercentile));
    coefficient_->setText(CellValue::formatNumber(v.outlierCoefficient));
    minClass_->setText(QString::number(v.minimumClassSize));
    minFull_->setText(QString::number(v.minimumFullBoxSize));
}

void BoxWhiskerOptionsDialog::reset() {
    load(BoxWhiskerSettings::resetValues());
}

bool BoxWhiskerOptionsDialog::store() {
    const auto number = [](QLineEdit* e) { return NumberText::fromText(QStringView(e->text())); };
    const auto up = number(upper_), lo = number(lower_), c = number(coefficient_),
               minClass = number(minClass_), minFull = number(minFull_);
    if (!up || !lo || !c || !minClass || !minFull || *c < 0 ||
        !BoxWhiskerSettings::acceptsPercentiles(*lo, *up))
        return false;
    settings_.upperPercentile = double(std::lround(*up));
    settings_.lowerPercentile = double(std::lround(*lo));
    settings_.outlierCoefficient = *c;
    settings_.minimumClassSize = int(std::lround(*minClass));
    settings_.minimumFullBoxSize = int(std::lround(*minFull));
    return true;
}

QLineEdit* BoxWhiskerOptionsDialog::box(const QString& name) const {
    return findChild<QLineEdit*>(name);
}
