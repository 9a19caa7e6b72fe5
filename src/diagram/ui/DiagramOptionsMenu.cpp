#include "diagram/ui/DiagramOptionsMenu.h"

#include "diagram/DiagramWindow.h"
#include "diagram/ui/LegendOrderDialog.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

DiagramOptionsMenu::DiagramOptionsMenu(DiagramWindow& window, std::function<void()> taken,
                                       std::function<void()> shown, QWidget* view)
    : QObject(view)
    , window_(window)
    , taken_(std::move(taken))
    , shown_(std::move(shown))
    , view_(view) {}

void DiagramOptionsMenu::addTo(QMenuBar& bar) {
    QMenu* options = bar.addMenu(QStringLiteral("Options"));
    QAction* classify = options->addAction(window_.classifyMenuCaption());
    connect(classify, &QAction::triggered, this, [this, classify] {
        taken_();
        window_.askClassifyOption();
        classify->setText(window_.classifyMenuCaption());
    });
    options->addAction(QStringLiteral("Show &number of points/class"), this,
                       [this] { window_.showPointsPerClass(); });
    const auto check = [this, options](const QString& caption, bool on, auto set) {
        QAction* a = options->addAction(caption);
        a->setCheckable(true);
        a->setChecked(on);
        connect(a, &QAction::toggled, this, set);
    };
    check(QStringLiteral("Show Table name in Title"), window_.tableNameInTitles,
          [this](bool on) { window_.tableNameInTitles = on; });
    check(QStringLiteral("Show X Title"), window_.showXTitle,
          [this](bool on) { window_.showXTitle = on; });
    check(QStringLiteral("Show Y Title"), window_.showYTitle,
          [this](bool on) { window_.showYTitle = on; });
    check(QStringLiteral("Show in diagram"), window_.showFilterName,
          [this](bool on) { window_.showFilterName = on; });
    addLegendItems(*options);

    options->addSeparator();
    check(QStringLiteral("Shewhart: Show AVG, 2S and 3S"), window_.definition.shewhartLines,
          [this](bool on) { window_.definition.shewhartLines = on; });
    QMenu* fills = options->addMenu(QStringLiteral("Fills"));
    auto* fillGroup = new QActionGroup(this);
    for (const auto& [caption, mode] : std::vector<std::pair<QString, Figure::FillMode>>{
             {QStringLiteral("Between series"), Figure::FillMode::BetweenSeries},
             {QStringLiteral("Down to zero"), Figure::FillMode::ToZero}}) {
        QAction* a = fills->addAction(caption, this, [this, m = mode] {
            window_.setFillMode(m);
            shown_();
        });
        a->setCheckable(true);
        a->setChecked(window_.figure().fillMode == mode);
        fillGroup->addAction(a);
    }
    options->addAction(QStringLiteral("Bubble Options..."), this, [this] {
        if (window_.askBubbleSize())
            shown_();
    });
}

void DiagramOptionsMenu::addLegendItems(QMenu& options) {
    QMenu* legend = options.addMenu(QStringLiteral("Legend"));
    QAction* showLegend = legend->addAction(window_.legendMenuCaption());
    connect(showLegend, &QAction::triggered, this, [this, showLegend] {
        window_.toggleLegend();
        showLegend->setText(window_.legendMenuCaption());
        shown_();
    });
    QMenu* corner = legend->addMenu(QStringLiteral("Legend position"));
    for (const auto& [caption, position] : std::vector<std::pair<QString, LegendPosition>>{
             {QStringLiteral("Top Left"), LegendPosition::TopLeft},
             {QStringLiteral("Bottom Left"), LegendPosition::BottomLeft},
             {QStringLiteral("Top Right"), LegendPosition::TopRight},
             {QStringLiteral("Bottom Right"), LegendPosition::BottomRight}})
        corner->addAction(caption, this, [this, p = position] {
            window_.setLegendPosition(p);
            shown_();
        });
    legend->addAction(QStringLiteral("Order Legend"), this, [this] { orderLegend(); });
}

void DiagramOptionsMenu::orderLegend() {
    QStringList names;
    for (const Series& s : window_.figure().series)
        if (s.showInLegend)
            names << s.name;
    LegendOrderDialog dialog(names, geometry_, view_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    window_.orderLegend(dialog.order());
    shown_();
}
