#include "diagram/ui/StyleEditorView.h"

#include "app/ui/DialogPlace.h"
#include "diagram/DiagramWindow.h"
#include "figure/StyleForms.h"
#include "figure/ui/FigurePlot.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <qcustomplot.h>

namespace {

QString colourSheet(FigureColor c) {
    return QStringLiteral("background-color: rgb(%1, %2, %3)").arg(c.red).arg(c.green).arg(c.blue);
}

} // namespace

StyleEditorView::StyleEditorView(DiagramWindow& window, QString stylesFolder,
                                 const WindowGeometry* geometry, QWidget* parent)
    : QDialog(parent)
    , editor_(window)
    , stylesFolder_(std::move(stylesFolder))
    , geometry_(geometry) {
    setWindowTitle(StyleEditor::caption());
    pickColor = [this](FigureColor now) -> std::optional<FigureColor> {
        const QColor c = QColorDialog::getColor(QColor(now.red, now.green, now.blue), this);
        if (!c.isValid())
            return std::nullopt;
        return FigureColor{std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue()),
                           255};
    };
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->addTab(buildStylesTab(), QStringLiteral("Styles"));
    tabs_->addTab(buildLibraryTab(), QStringLiteral("Library"));
    layout->addWidget(tabs_);
    buildMenus();
    DialogPlace::restore(*this, geometry_, StyleEditor::shortName());
    showState();
}

StyleEditorView::~StyleEditorView() = default;

void StyleEditorView::closeEvent(QCloseEvent* event) {
    DialogPlace::save(*this, geometry_, StyleEditor::shortName());
    QDialog::closeEvent(event);
}

QWidget* StyleEditorView::buildStylesTab() {
    auto* tab = new QWidget(this);
    auto* layout = new QHBoxLayout(tab);
    sample_ = new QCustomPlot(tab);
    sample_->setMinimumSize(260, 260);
    sample_->setToolTip(
        QStringLiteral("To select the symbol to be edited, cclick with mouse RIGHT BUTTON"));
    connect(sample_, &QCustomPlot::mousePress, this, [this](QMouseEvent* e) {
        if (e->button() != Qt::RightButton)
            return;
        const int i = editor_.symbolAt(sample_->yAxis->pixelToCoord(e->position().y()));
        if (editor_.select(StyleGroup::Symbol, i))
            showState();
    });
    layout->addWidget(sample_, 1);

    auto* side = new QVBoxLayout;
    auto* selected = new QGroupBox(QStringLiteral("Selected object"), tab);
    auto* selectedForm = new QFormLayout(selected);
    for (int g = 0; g < StyleLibrary::groupCount; ++g) {
        objects_[size_t(g)] = new QComboBox(selected);
        selectedForm->addRow(StyleLibrary::groupCaption(StyleGroup(g)), objects_[size_t(g)]);
        connect(objects_[size_t(g)], &QComboBox::activated, this, [this, g](int index) {
            editor_.select(StyleGroup(g), index);
            showState();
        });
    }
    side->addWidget(selected);

    auto* symbol = new QGroupBox(QStringLiteral("Symbol"), tab);
    auto* symbolForm = new QFormLayout(symbol);
    shape_ = new QComboBox(symbol);
    shape_->addItems(StyleForms::formNames());
    size_ = new QDoubleSpinBox(symbol);
    size_->setRange(0, 100);
    symbolColor_ = new QPushButton(symbol);
    symbolColor_->setToolTip(QStringLiteral("Click to change the symbol colour"));
    symbolForm->addRow(QStringLiteral("Shape"), shape_);
    symbolForm->addRow(QStringLiteral("Size"), size_);
    symbolForm->addRow(QString(), symbolColor_);
    side->addWidget(symbol);

    auto* line = new QGroupBox(QStringLiteral("Line"), tab);
    auto* lineForm = new QFormLayout(line);
    pattern_ = new QComboBox(line);
    pattern_->addItems(StyleForms::patternNames());
    width_ = new QDoubleSpinBox(line);
    width_->setRange(0, 50);
    width_->setSingleStep(0.5);
    lineColor_ = new QPushButton(line);
    lineColor_->setToolTip(QStringLiteral("Click to change colour of the line"));
    lineForm->addRow(QStringLiteral("Pattern"), pattern_);
    lineForm->addRow(QStringLiteral("Width"), width_);
    lineForm->addRow(QString(), lineColor_);
    side->addWidget(line);
    hidden_ = new QCheckBox(QStringLiteral("Hidden"), tab);
    side->addWidget(hidden_);

    connect(shape_, &QComboBox::activated, this, [this](int i) {
        editor_.setForm(i);
        edited();
    });
    connect(size_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        editor_.setSize(v);
        edited();
    });
    connect(pattern_, &QComboBox::activated, this, [this](int i) {
        editor_.setPattern(i);
        edited();
    });
    connect(width_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        editor_.setWidth(v);
        edited();
    });
    connect(hidden_, &QCheckBox::toggled, this, [this](bool on) {
        editor_.setHidden(on);
        edited();
    });
    connect(symbolColor_, &QPushButton::clicked, this, [this] { pickColorFor(true); });
    connect(lineColor_, &QPushButton::clicked, this, [this] { pickColorFor(false); });

    auto* buttons = new QHBoxLayout;
    auto* apply = new QPushButton(QStringLiteral("Apply"), tab);
    apply->setObjectName(QStringLiteral("apply"));
    apply->setToolTip(QStringLiteral("Update changes to figure"));
    connect(apply, &QPushButton::clicked, this, [this] {
        editor_.apply();
        emit applied();
    });
    auto* close = new QPushButton(QStringLiteral("Close"), tab);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    buttons->addWidget(apply);
    buttons->addWidget(close);
    side->addStretch(1);
    side->addLayout(buttons);
    layout->addLayout(side);
    return tab;
}

QWidget* StyleEditorView::buildLibraryTab() {
    auto* tab = new QWidget(this);
    auto* layout = new QHBoxLayout(tab);
    auto* left = new QVBoxLayout;
    libraryGroups_ = new QButtonGroup(tab);
    for (int g = 0; g < StyleLibrary::groupCount; ++g) {
        auto* option = new QRadioButton(StyleLibrary::groupCaption(StyleGroup(g)), tab);
        option->setChecked(g == 0);
        libraryGroups_->addButton(option, g);
        left->addWidget(option);
    }
    connect(libraryGroups_, &QButtonGroup::idClicked, this, [this](int g) {
        editor_.libraryGroup = StyleGroup(g);
        showLibrary();
    });
    library_ = new QListWidget(tab);
    connect(library_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (editor_.useEntry(library_->row(item)))
            showState();
    });
    left->addWidget(library_, 1);
    layout->addLayout(left, 1);

    auto* buttons = new QVBoxLayout;
    const auto button = [&](const QString& caption, const QString& tip, auto run) {
        auto* b = new QPushButton(caption, tab);
        b->setToolTip(tip);
        connect(b, &QPushButton::clicked, this, [this, run] {
            run();
            showLibrary();
        });
        buttons->addWidget(b);
    };
    button(QStringLiteral("Open"), {}, [this] { editor_.openLibrary(stylesFolder_); });
    button(QStringLiteral("Save"), {}, [this] { editor_.saveLibrary(stylesFolder_); });
    button(QStringLiteral("Default"), QStringLiteral("Set Current Style Library As Default"),
           [this] { editor_.setLibraryAsDefault(); });
    button(QStringLiteral("Reset"), {}, [this] { editor_.resetLibrary(); });
    button(QStringLiteral("Clear"), {}, [this] { editor_.clearLibrary(); });
    button(QStringLiteral("Add"), {}, [this] { editor_.addEntry(); });
    button(QStringLiteral("Change"), {}, [this] { editor_.changeEntry(library_->currentRow()); });
    button(QStringLiteral("Remove"), {}, [this] { editor_.removeEntry(library_->currentRow()); });
    buttons->addStretch(1);
    layout->addLayout(buttons);
    return tab;
}

void StyleEditorView::buildMenus() {
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("Save Style"), this,
                    [this] { editor_.saveStyle(stylesFolder_); });
    file->addAction(QStringLiteral("Open Style"), this, [this] {
        if (editor_.openStyle(stylesFolder_))
            showState();
    });
    file->addAction(QStringLiteral("Close"), this, &QDialog::close);
    QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
    const auto tool = [&](const QString& caption, auto run) {
        tools->addAction(caption, this, [this, run] {
            run();
            showState();
        });
    };
    tool(QStringLiteral("Apply selected symbol shape and size to all"),
         [this] { editor_.shapeAndSizeToAll(); });
    tool(QStringLiteral("Change symbols to black"), [this] { editor_.symbolsToBlack(); });
    tool(QStringLiteral("Apply selected line pattern and width to all"),
         [this] { editor_.patternAndWidthToAll(); });
    tool(QStringLiteral("Change lines to black"), [this] { editor_.linesToBlack(); });
    tool(QStringLiteral("Add to Library"), [this] { editor_.addToLibrary(); });
    tool(QStringLiteral("Add All to Library"), [this] { editor_.addAllToLibrary(); });
    // The library's own sheet is the library tab.
    tool(QStringLiteral("Open Library in F1"), [this] { tabs_->setCurrentIndex(1); });
    static_cast<QVBoxLayout*>(layout())->setMenuBar(bar);
}

void StyleEditorView::reload() {
    editor_.reload();
    showState();
}

void StyleEditorView::pickColorFor(bool symbol) {
    const SeriesStyle now = editor_.selected();
    const auto colour = pickColor(symbol ? now.color : now.lineColor);
    if (!colour)
        return;
    symbol ? editor_.setSymbolColor(*colour) : editor_.setLineColor(*colour);
    edited();
}

void StyleEditorView::edited() {
    if (!showing_)
        showState();
}

void StyleEditorView::showState() {
    showing_ = true;
    for (int g = 0; g < StyleLibrary::groupCount; ++g) {
        QComboBox* box = objects_[size_t(g)];
        const QSignalBlocker block(box);
        box->clear();
        for (const NamedStyle& n : editor_.objects(StyleGroup(g)))
            box->addItem(n.name);
        box->setCurrentIndex(int(editor_.selectedGroup()) == g ? editor_.selectedIndex() : -1);
    }
    const SeriesStyle s = editor_.selected();
    {
        const QSignalBlocker b1(shape_), b2(size_), b3(pattern_), b4(width_), b5(hidden_);
        shape_->setCurrentIndex(StyleForms::formOf(s));
        size_->setValue(s.symbolSize);
        pattern_->setCurrentIndex(StyleForms::patternOf(s.linePattern));
        width_->setValue(s.lineWidth);
        hidden_->setChecked(s.hidden);
    }
    symbolColor_->setStyleSheet(colourSheet(s.color));
    lineColor_->setStyleSheet(colourSheet(s.lineColor));
    FigurePlot::show(editor_.sampleFigure(), *sample_, sample_->size());
    sample_->replot();
    showLibrary();
    showing_ = false;
}

void StyleEditorView::showLibrary() {
    const int row = library_->currentRow();
    library_->clear();
    for (const NamedStyle& n : editor_.libraryEntries())
        library_->addItem(n.name);
    library_->setCurrentRow(std::min(row, library_->count() - 1));
}
