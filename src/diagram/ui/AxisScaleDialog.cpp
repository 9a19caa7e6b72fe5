#include "diagram/ui/AxisScaleDialog.h"

#include "app/ui/DialogPlace.h"
#include "diagram/DiagramWindow.h"
#include "figure/UserAxisScale.h"
#include "platform/NumberText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

AxisScaleDialog::AxisScaleDialog(DiagramWindow& window, const WindowGeometry* geometry,
                                 std::function<void()> shown, QWidget* parent)
    : QDialog(parent)
    , window_(window)
    , geometry_(geometry)
    , shown_(std::move(shown))
    , freezeX_(new QCheckBox(QStringLiteral("Freeze X Axis"), this))
    , freezeY_(new QCheckBox(QStringLiteral("Freeze Y Axis"), this)) {
    setWindowTitle(QStringLiteral("Scale axis"));
    const Figure& f = window_.figure();
    const std::array<double, 4> now{f.x.min, f.x.max, f.y.min, f.y.max};
    const std::array<const char*, 4> labels{"X min", "X max", "Y min", "Y max"};
    auto* grid = new QGridLayout;
    for (size_t i = 0; i < boxes_.size(); ++i) {
        const int row = int(i);
        boxes_[i] = new QLineEdit(NumberText::toText(now[i]), this);
        grid->addWidget(new QLabel(QString::fromLatin1(labels[i]), this), row, 0);
        grid->addWidget(boxes_[i], row, 1);
        for (const auto& [arrow, direction] : {std::pair{Qt::UpArrow, 1}, {Qt::DownArrow, -1}}) {
            auto* button = new QToolButton(this);
            button->setArrowType(arrow);
            button->setAutoRepeat(true);
            connect(button, &QToolButton::clicked, this,
                    [this, i, d = direction] { stepBox(i, d); });
            grid->addWidget(button, row, direction > 0 ? 2 : 3);
        }
    }

    // The boxes mirror the window's freeze flags, which the "&Freeze scale" menu shares.
    freezeX_->setChecked(window_.scaleState.freezeX);
    freezeY_->setChecked(window_.scaleState.freezeY);
    for (const auto& [box, flag] :
         {std::pair{freezeX_, &AxisScaleState::freezeX}, {freezeY_, &AxisScaleState::freezeY}})
        connect(box, &QCheckBox::toggled, this, [this, f = flag](bool on) {
            window_.scaleState.*f = on;
            shown_();
        });
    auto* freezes = new QHBoxLayout;
    freezes->addWidget(freezeX_);
    freezes->addWidget(freezeY_);

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const QString& caption, const QString& tip, auto action) {
        auto* b = new QPushButton(caption, this);
        b->setToolTip(tip);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, action);
        buttons->addWidget(b);
    };
    button(QStringLiteral("&Apply"), QStringLiteral("You can use also  F2"), [this] { apply(); });
    button(QStringLiteral("&Data  def"),
           QStringLiteral("Defines min & max so that all the data is shown in "), [this] {
               const auto extent = UserAxisScale::dataDefinition(window_.figure());
               for (size_t i = 0; i < boxes_.size(); ++i)
                   boxes_[i]->setText(NumberText::toText(extent[i]));
           });
    button(QStringLiteral("&Reset"), {}, [this] {
        window_.resetScale();
        shown_();
    });
    button(QStringLiteral("&Close"), {}, [this] { accept(); });
    connect(new QShortcut(QKeySequence(Qt::Key_F2), this), &QShortcut::activated, this,
            [this] { apply(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(freezes);
    layout->addWidget(new QLabel(QStringLiteral("Data range xmin-xmax; ymin-ymax"), this));
    layout->addWidget(new QLabel(UserAxisScale::dataRangeText(f), this));
    layout->addLayout(buttons);

    DialogPlace::restore(*this, geometry_, shortName());
}

void AxisScaleDialog::done(int result) {
    DialogPlace::save(*this, geometry_, shortName());
    QDialog::done(result);
}

std::array<QString, 4> AxisScaleDialog::texts() const {
    return {boxes_[0]->text(), boxes_[1]->text(), boxes_[2]->text(), boxes_[3]->text()};
}

void AxisScaleDialog::apply() {
    if (window_.applyScaleDialog(texts()))
        shown_();
}

void AxisScaleDialog::stepBox(size_t index, int direction) {
    if (const auto text = UserAxisScale::stepBox(texts(), index, direction))
        boxes_[index]->setText(*text);
}
