#include "diagram/ui/DiagramAxisMenu.h"

#include "diagram/DiagramWindow.h"
#include "diagram/ui/AxisScaleDialog.h"
#include "diagram/ui/UnitChangeDialog.h"

#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

DiagramAxisMenu::DiagramAxisMenu(DiagramWindow& window, std::function<void()> shown, QWidget* view)
    : QObject(view)
    , window_(window)
    , shown_(std::move(shown))
    , view_(view)
    , note_(new QLabel(view)) {
    note_->setStyleSheet(QStringLiteral("color: #b00000"));
    refresh();
}

void DiagramAxisMenu::changed() {
    shown_();
    refresh();
}

void DiagramAxisMenu::refresh() {
    const QString note = window_.scaleState.note();
    note_->setText(note);
    note_->setVisible(!note.isEmpty());
    for (const auto& mark : marks_)
        mark();
}

void DiagramAxisMenu::addTo(QMenuBar& bar) {
    QMenu* axes = bar.addMenu(QStringLiteral("Axis"));
    connect(axes, &QMenu::aboutToShow, this, &DiagramAxisMenu::refresh);
    for (const auto& [caption, id] : {std::pair{QStringLiteral("X axis &scale ..."), AxisId::X},
                                      std::pair{QStringLiteral("Y axis &scale"), AxisId::Y}})
        axes->addAction(caption, this, [this, axis = id] {
            if (window_.askAxisScale(axis))
                changed();
        });
    axes->addAction(QStringLiteral("Scale axis..."), this, [this] { openScaleDialog(); });
    axes->addAction(QStringLiteral("Change &units..."), this, [this] {
        if (!window_.hasFigure())
            return;
        auto* dialog = new UnitChangeDialog(
            window_, [this] { changed(); }, view_);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->show();
    });
    axes->addAction(QStringLiteral("Reset scale"), this, [this] {
        window_.resetScale();
        changed();
    });

    QMenu* freeze = axes->addMenu(QStringLiteral("&Freeze scale"));
    using Freeze = DiagramWindow::Freeze;
    for (const auto& [caption, which] :
         {std::pair{QStringLiteral("X and Y"), Freeze::XAndY},
          std::pair{QStringLiteral("X"), Freeze::X}, std::pair{QStringLiteral("Y"), Freeze::Y}}) {
        QAction* a = freeze->addAction(caption, this, [this, w = which] {
            window_.toggleFreeze(w);
            refresh(); // the ranges stay as they are until the next draw
        });
        a->setCheckable(true);
        marks_.push_back([this, a, w = which] {
            const AxisScaleState& s = window_.scaleState;
            a->setChecked(w == Freeze::XAndY ? s.freezeX && s.freezeY
                          : w == Freeze::X   ? s.freezeX
                                             : s.freezeY);
        });
    }
    QAction* ratio = axes->addAction(QStringLiteral("&Ratio Is Fixed"), this, [this] {
        window_.toggleRatioFixed();
        changed();
    });
    ratio->setCheckable(true);
    marks_.push_back([this, ratio] { ratio->setChecked(window_.scaleState.ratioFixed); });

    axes->addSeparator();
    addAxisItems(*axes->addMenu(QStringLiteral("X axis")), AxisId::X);
    addAxisItems(*axes->addMenu(QStringLiteral("Y axis")), AxisId::Y);
    QAction* y2 = axes->addAction(QStringLiteral("Show Y&2 axis"), this, [this](bool on) {
        window_.showY2Axis(on);
        changed();
    });
    y2->setCheckable(true);
    marks_.push_back([this, y2] { y2->setChecked(window_.figure().y2Visible); });
    QAction* aliases = axes->addAction(QStringLiteral("Use Aliasnames"), this, [this](bool on) {
        window_.useAliases = on;
        window_.retitle();
        changed();
    });
    aliases->setCheckable(true);
    marks_.push_back([this, aliases] { aliases->setChecked(window_.useAliases); });
    refresh();
}

void DiagramAxisMenu::addAxisItems(QMenu& menu, AxisId axis) {
    const QString name = axis == AxisId::X ? QStringLiteral("X") : QStringLiteral("Y");
    auto* scales = new QActionGroup(&menu);
    for (const auto& [caption, log] :
         {std::pair{QStringLiteral("&Linear"), false}, std::pair{QStringLiteral("Lo&g"), true}}) {
        QAction* a = menu.addAction(caption, this, [this, axis, l = log] {
            window_.setLogarithmic(axis, l);
            changed();
        });
        a->setCheckable(true);
        scales->addAction(a);
        marks_.push_back([this, a, axis, l = log] {
            a->setChecked(window_.figure().axis(axis).logarithmic == l);
        });
    }
    menu.addSeparator();
    QAction* reversed =
        menu.addAction(name + QStringLiteral(" Is &Reversed"), this, [this, axis](bool on) {
            window_.setReversed(axis, on);
            changed();
        });
    reversed->setCheckable(true);
    marks_.push_back(
        [this, reversed, axis] { reversed->setChecked(window_.figure().axis(axis).reversed); });

    QMenu* grid = menu.addMenu(QStringLiteral("&Grid"));
    auto* grids = new QActionGroup(grid);
    for (const auto& [caption, style] : {std::pair{QStringLiteral("&None"), GridStyle::None},
                                         std::pair{QStringLiteral("&Solid"), GridStyle::Solid},
                                         std::pair{QStringLiteral("&Dashed"), GridStyle::Dashed},
                                         std::pair{QStringLiteral("D&otted"), GridStyle::Dotted}}) {
        QAction* a = grid->addAction(caption, this, [this, axis, s = style] {
            window_.setGrid(axis, s);
            changed();
        });
        a->setCheckable(true);
        grids->addAction(a);
        marks_.push_back(
            [this, a, axis, s = style] { a->setChecked(window_.figure().axis(axis).grid == s); });
    }
    menu.addAction(QStringLiteral("&Change ") + name + QStringLiteral(" axis title"), this,
                   [this, axis] {
                       if (window_.askAxisTitle(axis))
                           changed();
                   });
    if (axis == AxisId::X)
        menu.addAction(QStringLiteral("Frequency for X-axis label..."), this, [this] {
            if (window_.askLabelFrequency())
                changed();
        });
}

void DiagramAxisMenu::openScaleDialog() {
    AxisScaleDialog dialog(
        window_, geometry_, [this] { changed(); }, view_);
    dialog.exec();
}
