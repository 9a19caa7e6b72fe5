#include "automation/ui/PictureBookPanel.h"

#include "automation/PictureBookController.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

PictureBookPanel::PictureBookPanel(PictureBookController& controller, QWidget* parent)
    : QWidget(parent)
    , controller_(controller)
    , list_(new QListWidget)
    , caption_(new QLineEdit) {
    setObjectName(QStringLiteral("picPB"));
    list_->setObjectName(QStringLiteral("listPB"));
    caption_->setObjectName(QStringLiteral("txtFigtext"));
    caption_->setToolTip(
        QStringLiteral("Caption text. Edit by writing directly to window and pressing Save"));
    auto* add = new QPushButton(QStringLiteral("&Add"));
    add->setObjectName(QStringLiteral("cmdAdd"));
    add->setToolTip(QStringLiteral("Add figure to picture-book"));
    auto* draw = new QPushButton(QStringLiteral("&Draw"));
    draw->setObjectName(QStringLiteral("cmdDraw"));
    auto* up = new QToolButton;
    up->setArrowType(Qt::UpArrow);
    auto* down = new QToolButton;
    down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up, down})
        b->setToolTip(QStringLiteral("Up & down arrows to scroll Figure list"));
    auto* saveCaption = new QPushButton(QStringLiteral("Save"));

    showCaption_ = option(QStringLiteral("Show caption text"), {});
    objectsOnly_ =
        option(QStringLiteral("Add objects only"),
               QStringLiteral("Whem checked objects of the Picturebook picture are added into a "
                              "current Figure"));
    figureFilter_ = option(QStringLiteral("Use filter given in Fig"),
                           QStringLiteral("Use filter in graph instead of filter in picturebook"));
    figureSorter_ =
        option(QStringLiteral("Use sorter given in Fig"),
               QStringLiteral("Use sorter in the graph instead of sorter in picturebook"));
    saveGraphFiles_ = option(QStringLiteral("Save akr files"), {});

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(draw);
    buttons->addStretch();
    buttons->addWidget(up);
    buttons->addWidget(down);
    auto* captionRow = new QHBoxLayout;
    captionRow->addWidget(caption_, 1);
    captionRow->addWidget(saveCaption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    layout->addLayout(captionRow);
    for (QCheckBox* c : {showCaption_, objectsOnly_, figureFilter_, figureSorter_, saveGraphFiles_})
        layout->addWidget(c);

    connect(add, &QPushButton::clicked, this, [this] { controller_.add(); });
    connect(draw, &QPushButton::clicked, this, [this] { controller_.drawSelected(); });
    connect(up, &QToolButton::clicked, this, [this] { controller_.previous(); });
    connect(down, &QToolButton::clicked, this, [this] { controller_.next(); });
    connect(saveCaption, &QPushButton::clicked, this,
            [this] { controller_.setCaption(caption_->text()); });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        controller_.select(row);
        caption_->setText(controller_.caption());
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        controller_.select(list_->row(item));
        controller_.drawSelected();
    });
    refresh();
}

QCheckBox* PictureBookPanel::option(const QString& caption, const QString& tip) {
    auto* box = new QCheckBox(caption);
    box->setToolTip(tip);
    connect(box, &QCheckBox::toggled, this, [this] { takeOptions(); });
    return box;
}

void PictureBookPanel::takeOptions() {
    PictureBookController::Options& o = controller_.options;
    o.showCaption = showCaption_->isChecked();
    o.objectsOnly = objectsOnly_->isChecked();
    o.figureFilter = figureFilter_->isChecked();
    o.figureSorter = figureSorter_->isChecked();
    o.saveGraphFiles = saveGraphFiles_->isChecked();
}

void PictureBookPanel::refresh() {
    const QSignalBlocker blocker(list_);
    list_->clear();
    for (const PictureBook::Entry& e : controller_.entries())
        list_->addItem(e.text);
    list_->setCurrentRow(controller_.selected());
    caption_->setText(controller_.caption());
}
