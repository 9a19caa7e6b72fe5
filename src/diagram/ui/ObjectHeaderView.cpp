#include "diagram/ui/ObjectHeaderView.h"

#include "app/ui/DialogPlace.h"

#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

ObjectHeaderView::ObjectHeaderView(ObjectHeaderEditor* editor, const WindowGeometry* geometry,
                                   QWidget* parent)
    : QDialog(parent)
    , editor_(editor)
    , geometry_(geometry) {
    setWindowTitle(ObjectHeaderEditor::caption());
    setAttribute(Qt::WA_DeleteOnClose);

    tabs_ = new QTabBar(this);
    for (LibraryKind k : LibraryKinds::all)
        tabs_->addTab(LibraryKinds::caption(k));
    objects_ = new QComboBox(this);
    form_ = new QFormLayout;

    const auto button = [this](const QString& text, auto action) {
        auto* b = new QPushButton(text, this);
        connect(b, &QPushButton::clicked, this, [this, action] {
            if (action())
                emit changed();
            fill();
        });
        return b;
    };
    ObjectHeaderEditor& e = *editor_;
    auto* buttons = new QGridLayout;
    auto* add = button(QStringLiteral("New"), [&e] { return e.addNew(); });
    add->setToolTip(QStringLiteral("Create new object in Figure"));
    auto* store = button(QStringLiteral("&Add to DB"), [&e] { return e.addToDatabase(); });
    store->setToolTip(QStringLiteral("Add current object to database"));
    buttons->addWidget(add, 0, 0);
    buttons->addWidget(button(QStringLiteral("&Update"), [&e] { return e.update(); }), 0, 1);
    buttons->addWidget(store, 0, 2);
    buttons->addWidget(button(QStringLiteral("&Delete"), [&e] { return e.deleteFromDatabase(); }),
                       0, 3);
    buttons->addWidget(
        button(QStringLiteral("Copy from &previous"), [&e] { return e.copyFrom(-1) && false; }), 1,
        0);
    buttons->addWidget(
        button(QStringLiteral("Copy from &next"), [&e] { return e.copyFrom(1) && false; }), 1, 1);
    buttons->addWidget(button(QStringLiteral("Empty all (except system data)"),
                              [&e] {
                                  e.emptyAll();
                                  return false;
                              }),
                       1, 2);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(close, 1, 3);

    auto* menus = new QMenuBar(this);
    QMenu* paste = menus->addMenu(QStringLiteral("Paste special"));
    const std::pair<const char*, ObjectHeaderEditor::Paste> pastes[] = {
        {"&Trendline Equation", ObjectHeaderEditor::Paste::TrendlineEquation},
        {"&Polygon Nodes", ObjectHeaderEditor::Paste::PolygonNodes},
        {"&RefPoint Coordinates", ObjectHeaderEditor::Paste::RefPointCoordinates}};
    for (const auto& [caption, what] : pastes)
        paste->addAction(QString::fromUtf8(caption), this, [this, what = what] {
            if (editor_->paste(what, QGuiApplication::clipboard()->text()))
                fill();
        });
    QAction* system = menus->addAction(QStringLiteral("&Show systemlines"));
    system->setCheckable(true);
    connect(system, &QAction::toggled, this, [this](bool on) {
        showSystem_ = on;
        fill();
    });

    // The store-values labels: a click offers to store those values of the figure.
    auto* storeLabels = new QHBoxLayout;
    using Stored = DiagramObjectController::Stored;
    for (Stored what : {Stored::Groups, Stored::Deltas, Stored::Distances}) {
        const QString name = DiagramObjectController::storedName(what);
        auto* label = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(name), this);
        label->setObjectName(QStringLiteral("store") + name);
        label->setToolTip(QStringLiteral("Store ") + name + QStringLiteral(" values to:"));
        connect(label, &QLabel::linkActivated, this, [this, what] { emit storeValues(what); });
        storeLabels->addWidget(label);
    }
    storeLabels->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menus);
    layout->addWidget(tabs_);
    layout->addWidget(objects_);
    layout->addLayout(form_);
    layout->addLayout(storeLabels);
    layout->addLayout(buttons);

    connect(tabs_, &QTabBar::currentChanged, this, [this](int i) {
        editor_->setKind(LibraryKinds::all[size_t(i)]);
        fill();
    });
    connect(objects_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (filling_ || i == editor_->index() || !editor_->mayClose())
            return;
        editor_->show(i);
        fill();
    });
    DialogPlace::restore(*this, geometry_, QStringLiteral("ObjHeader"));
}

ObjectHeaderView::~ObjectHeaderView() = default;

void ObjectHeaderView::done(int result) {
    if (!editor_->mayClose())
        return;
    emit changed();
    DialogPlace::save(*this, geometry_, QStringLiteral("ObjHeader"));
    QDialog::done(result);
}

void ObjectHeaderView::showKind(LibraryKind kind) {
    const int index = int(std::find(LibraryKinds::all.begin(), LibraryKinds::all.end(), kind) -
                          LibraryKinds::all.begin());
    if (tabs_->currentIndex() == index) {
        editor_->setKind(kind);
        fill();
    } else {
        tabs_->setCurrentIndex(index);
    }
}

void ObjectHeaderView::fill() {
    filling_ = true;
    objects_->clear();
    for (int i = 0; i < editor_->count(); ++i)
        objects_->addItem(editor_->nameAt(i));
    objects_->setCurrentIndex(editor_->index());
    while (form_->rowCount() > 0)
        form_->removeRow(0);
    edits_.clear();
    for (const ObjectHeaderEditor::Field& f : ObjectHeaderEditor::fields(editor_->kind())) {
        if (f.system && !showSystem_)
            continue;
        auto* edit = new QLineEdit(editor_->text(f.column), this);
        edit->setReadOnly(f.column == LibraryKinds::keyColumn(editor_->kind()) ||
                          editor_->index() < 0);
        const QString column = f.column;
        connect(edit, &QLineEdit::textEdited, this,
                [this, column](const QString& text) { editor_->setText(column, text); });
        form_->addRow(f.label, edit);
        edits_.emplace_back(f.column, edit);
    }
    filling_ = false;
}
