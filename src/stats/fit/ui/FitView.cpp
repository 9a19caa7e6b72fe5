#include "stats/fit/ui/FitView.h"

#include "platform/qt/SheetTableModel.h"
#include "stats/ui/StatisticsFigurePanel.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The radio buttons of optTLType in their order; "Other" takes its curve from cmbOtherEq.
const QStringList modelCaptions{
    QStringLiteral("Linear y=a*x+b"),          QStringLiteral("Polynomial.   Order:"),
    QStringLiteral("Logarithmic y=a*ln(x)+b"), QStringLiteral("Expotential y=a*exp(b*x)"),
    QStringLiteral("Power y=a*x^b"),           QStringLiteral("Other"),
    QStringLiteral("Moving avg Y:"),           QStringLiteral("Moving avg, X:")};
const CurveModel buttonModels[] = {CurveModel::Linear,         CurveModel::Polynomial,
                                   CurveModel::Logarithmic,    CurveModel::Exponential,
                                   CurveModel::Power,          CurveModel::OneMinusExp,
                                   CurveModel::MovingAverageY, CurveModel::MovingAverageX};
const CurveModel otherModels[] = {CurveModel::OneMinusExp, CurveModel::HundredOneMinusExp,
                                  CurveModel::ScaledOneMinusExp};

} // namespace

FitView::FitView(Dialogs& dialogs, Status& status, QWidget* parent)
    : QWidget(parent)
    , dialogs_(dialogs)
    , window_(dialogs, status)
    , models_(new QButtonGroup(this))
    , order_(new QSpinBox)
    , other_(new QComboBox)
    , period_(new QLineEdit(QStringLiteral("2")))
    , force_(new QCheckBox(QStringLiteral("Force through")))
    , forceX_(new QLineEdit(window_.forceX))
    , forceY_(new QLineEdit(window_.forceY))
    , dataTable_(new QTableView)
    , dataModel_(new SheetTableModel(&window_.data(), this))
    , resultTable_(new QTableView)
    , resultModel_(new SheetTableModel(&shownResults_, this))
    , chart_(new StatisticsFigurePanel(dialogs, this))
    , menuBar_(new QMenuBar) {
    setWindowTitle(FitWindow::caption());
    order_->setObjectName(QStringLiteral("txtPolyDeg"));
    other_->setObjectName(QStringLiteral("cmbOtherEq"));
    period_->setObjectName(QStringLiteral("txtRunAVG"));
    period_->setToolTip(CurveFitter::periodRefused());
    force_->setObjectName(QStringLiteral("chkSetPnt"));
    forceX_->setObjectName(QStringLiteral("txtx"));
    forceY_->setObjectName(QStringLiteral("txty"));
    other_->addItems({QStringLiteral("y=1-exp(-a*x)"), QStringLiteral("y=100*(1-exp(-a*x)"),
                      QStringLiteral("y=b*(1-exp(-a*x))")});
    order_->setRange(1, CurveFitRequest::maxOrder);
    order_->setValue(window_.request.order);
    // The up/down control asks the controller, which refuses what the rows cannot carry.
    connect(order_, &QSpinBox::valueChanged, this, [this](int order) {
        if (order != window_.request.order && !window_.setOrder(order)) {
            const QSignalBlocker block(order_);
            order_->setValue(window_.request.order);
        }
    });

    auto* choices = new QGridLayout;
    for (int i = 0; i < modelCaptions.size(); ++i) {
        auto* button = new QRadioButton(modelCaptions[i]);
        button->setObjectName(QStringLiteral("optTLType%1").arg(i));
        models_->addButton(button, i);
        choices->addWidget(button, i, 0);
    }
    models_->button(0)->setChecked(true);
    choices->addWidget(order_, 1, 1);
    choices->addWidget(other_, 5, 1);
    choices->addWidget(period_, 6, 1, 2, 1);
    auto* forceRow = new QHBoxLayout;
    forceRow->addWidget(force_);
    forceRow->addWidget(forceX_);
    forceRow->addWidget(forceY_);
    choices->addLayout(forceRow, 8, 0, 1, 2);

    const auto button = [this](const QString& caption, const QString& tip, auto slot) {
        auto* b = new QPushButton(caption);
        b->setToolTip(tip);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto* buttons = new QGridLayout;
    buttons->addWidget(button(QStringLiteral("Fit"), QStringLiteral("Fit with given parameters"),
                              [this] { fit(); }),
                       0, 0);
    buttons->addWidget(
        button(QStringLiteral("Best fit"), QStringLiteral("Finds best fit"), [this] { bestFit(); }),
        0, 1);
    buttons->addWidget(button(QStringLiteral("Draw pnts"), QStringLiteral("Draw datapoints"),
                              [this] {
                                  window_.showPoints = true;
                                  refresh();
                              }),
                       1, 0);
    buttons->addWidget(button(QStringLiteral("Draw line"),
                              QStringLiteral("Draws line of the Equation"),
                              [this] {
                                  window_.showLine = true;
                                  refresh();
                              }),
                       1, 1);
    buttons->addWidget(button(QStringLiteral("Clear"), QStringLiteral("Clears the worksheet"),
                              [this] {
                                  window_.clear();
                                  refresh();
                              }),
                       2, 0);
    buttons->addWidget(button(QStringLiteral("Accept"),
                              QStringLiteral("Accepts equation and moves it to XY as a trendline"),
                              [this] { accept(); }),
                       2, 1);
    buttons->addWidget(button(QStringLiteral("Accepts and closes"), QString(),
                              [this] {
                                  if (accept())
                                      close();
                              }),
                       3, 0);
    buttons->addWidget(button(QStringLiteral("Close"), QString(), [this] { close(); }), 3, 1);

    // The data sheet's own tools.
    const auto currentRow = [this] { return dataTable_->currentIndex().row() + 1; };
    auto* dataTools = new QHBoxLayout;
    dataTools->addWidget(button(QStringLiteral("Delete Row"), QString(), [this, currentRow] {
        if (window_.deleteRow(currentRow()))
            refresh();
    }));
    dataTools->addWidget(button(QStringLiteral("Remove point"), QString(), [this, currentRow] {
        if (window_.removePoint(currentRow() - 2))
            refresh();
    }));
    dataTools->addWidget(button(QStringLiteral("Copy data values"), QString(), [this] {
        QApplication::clipboard()->setText(window_.copyData());
    }));
    dataTools->addWidget(button(QStringLiteral("Paste data"), QString(), [this] {
        if (window_.pasteData(QApplication::clipboard()->text()))
            refresh();
    }));

    auto* left = new QVBoxLayout;
    left->addWidget(dataTable_, 1);
    left->addLayout(dataTools);
    auto* middle = new QVBoxLayout;
    middle->addLayout(choices);
    middle->addLayout(buttons);
    middle->addWidget(resultTable_);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 2);
    body->addLayout(middle, 2);
    body->addWidget(chart_, 4);
    auto* outer = new QVBoxLayout(this);
    outer->setMenuBar(menuBar_);
    outer->addLayout(body);
    dataTable_->setModel(dataModel_);
    resultTable_->setModel(resultModel_);

    QMenu* fitMenu = menuBar_->addMenu(QStringLiteral("&Fit"));
    fitMenu->addAction(QStringLiteral("&Best fit"), this, [this] { bestFit(); });
    fitMenu->addAction(QStringLiteral("Print"), this, [this] { chart_->print(); });
    fitMenu->addAction(QStringLiteral("&Close"), this, [this] { close(); });
    QMenu* edit = menuBar_->addMenu(QStringLiteral("&Edit"));
    const auto copy = [](const std::optional<QString>& text) {
        if (text)
            QApplication::clipboard()->setText(*text);
    };
    edit->addAction(QStringLiteral("Copy Formula"), this,
                    [this, copy] { copy(window_.formulaToCopy()); });
    edit->addAction(QStringLiteral("Copy Fit output"), this,
                    [this, copy] { copy(window_.outputToCopy()); });
    edit->addAction(QStringLiteral("Copy Figure"), this, [this] { chart_->copy(); });
    refresh();
}

void FitView::openFor(DiagramWindow* diagram) {
    window_.setDiagram(diagram);
    window_.loadFromDiagram();
    refresh();
}

void FitView::readChoices() {
    const int id = models_->checkedId();
    CurveModel m = buttonModels[std::max(id, 0)];
    if (m == CurveModel::OneMinusExp)
        m = otherModels[std::max(other_->currentIndex(), 0)];
    window_.request.model = m;
    window_.request.period = period_->text().toInt();
    window_.forceThrough = force_->isChecked();
    window_.forceX = forceX_->text();
    window_.forceY = forceY_->text();
}

void FitView::showChoices() {
    const CurveModel m = window_.request.model;
    for (int i = 0; i < int(std::size(buttonModels)); ++i)
        if (buttonModels[i] == m)
            models_->button(i)->setChecked(true);
    for (int i = 0; i < int(std::size(otherModels)); ++i)
        if (otherModels[i] == m) {
            models_->button(5)->setChecked(true);
            other_->setCurrentIndex(i);
        }
}

bool FitView::run(bool best) {
    readChoices();
    const bool done = best ? window_.bestFit() : window_.fit();
    if (done)
        showChoices();
    refresh();
    return done;
}

bool FitView::fit() {
    return run(false);
}

bool FitView::bestFit() {
    return run(true);
}

bool FitView::accept() {
    if (!window_.accept())
        return false;
    if (accepted)
        accepted();
    return true;
}

void FitView::refresh() {
    dataModel_->reset();
    shownResults_ = window_.results();
    resultModel_->reset();
    resultTable_->resizeColumnsToContents();
    chart_->show(window_.figure());
}
