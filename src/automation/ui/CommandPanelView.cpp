#include "automation/ui/CommandPanelView.h"

#include "automation/CommandPanel.h"
#include "automation/MacroRecorder.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

CommandPanelView::CommandPanelView(CommandPanel& panel, QWidget* parent)
    : QWidget(parent)
    , panel_(panel)
    , text_(new QLineEdit)
    , library_(new QListWidget)
    , history_(new QListWidget)
    , macro_(new QListWidget) {
    text_->setObjectName(QStringLiteral("Text1"));
    text_->installEventFilter(this);
    library_->setObjectName(QStringLiteral("LstCommandLib"));
    history_->setObjectName(QStringLiteral("lstHistory"));
    macro_->setObjectName(QStringLiteral("macroSheet"));
    macro_->setToolTip(QStringLiteral("The macro: one command line a row; double-click edits"));
    auto* layout = new QGridLayout(this);
    auto* line = new QHBoxLayout;
    line->addWidget(text_, 1);
    QPushButton* execute = button(QStringLiteral("Execute"), QStringLiteral("cmdExe"));
    execute->setDefault(true);
    line->addWidget(execute);
    layout->addLayout(line, 0, 0, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("Commands")), 1, 0);
    layout->addWidget(new QLabel(QStringLiteral("History")), 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("Macro")), 1, 2);
    layout->addWidget(library_, 2, 0);
    layout->addWidget(history_, 2, 1);
    layout->addWidget(macro_, 2, 2);
    auto* buttons = new QHBoxLayout;
    record_ = button(CommandPanel::recordCaption(), QStringLiteral("cmdRecord"));
    buttons->addWidget(record_);
    QPushButton* run = button(QStringLiteral("Run"), QStringLiteral("cmdRunMacro"));
    QPushButton* step = button(QStringLiteral("Step >"), QStringLiteral("cmdStep"));
    QPushButton* clear = button(QStringLiteral("Clear"), QStringLiteral("cmdClearMacro"));
    QPushButton* add = button(QStringLiteral("Add"), QStringLiteral("cmdAddToMacro"));
    for (QPushButton* b : {run, step, clear, add})
        buttons->addWidget(b);
    // The step direction: towards the end, or back towards the first line.
    auto* back = new QCheckBox(QStringLiteral("Step back"));
    back->setObjectName(QStringLiteral("stepBack"));
    buttons->addWidget(back);
    connect(back, &QCheckBox::toggled, this,
            [this](bool on) { panel_.recorder().stepForward = !on; });
    layout->addLayout(buttons, 3, 2);

    connect(text_, &QLineEdit::textEdited, this, [this](const QString& t) {
        const int caret = text_->cursorPosition();
        panel_.setText(t);
        text_->setText(panel_.text());
        text_->setCursorPosition(caret);
        showCompletions();
    });
    connect(text_, &QLineEdit::returnPressed, execute, &QPushButton::click);
    connect(execute, &QPushButton::clicked, this, [this] {
        panel_.setText(text_->text());
        panel_.execute();
        refresh();
        text_->setFocus();
    });
    const auto copyIntoBox = [this](QListWidgetItem* item) {
        panel_.setText(item->text());
        refresh();
        text_->setFocus();
    };
    connect(library_, &QListWidget::itemDoubleClicked, this, copyIntoBox);
    connect(history_, &QListWidget::itemDoubleClicked, this, copyIntoBox);
    connect(record_, &QPushButton::clicked, this, [this] {
        panel_.toggleRecording();
        refresh();
    });
    connect(run, &QPushButton::clicked, this, [this] {
        panel_.run();
        refresh();
    });
    connect(step, &QPushButton::clicked, this, [this] {
        panel_.step();
        refresh();
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        panel_.clear();
        refresh();
    });
    connect(add, &QPushButton::clicked, this, [this] {
        panel_.setText(text_->text());
        panel_.add();
        refresh();
    });
    // An edited row is the macro's line.
    connect(macro_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (showing_)
            return;
        QStringList lines = panel_.recorder().lines();
        const int row = macro_->row(item);
        if (row >= 0 && row < lines.size()) {
            const int current = panel_.recorder().currentRow();
            lines[row] = item->text().trimmed();
            panel_.recorder().setLines(lines);
            panel_.recorder().setCurrentRow(current);
        }
    });
    refresh();
}

QPushButton* CommandPanelView::button(const QString& caption, const QString& name) {
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

void CommandPanelView::refresh() {
    if (text_->text() != panel_.text())
        text_->setText(panel_.text());
    history_->clear();
    history_->addItems(panel_.history());
    history_->scrollToBottom();
    record_->setText(panel_.recordButtonCaption());
    showCompletions();
    showMacro();
}

void CommandPanelView::showCompletions() {
    library_->clear();
    library_->addItems(panel_.completions());
    if (panel_.selected() >= 0)
        library_->setCurrentRow(panel_.selected());
}

void CommandPanelView::showMacro() {
    showing_ = true;
    macro_->clear();
    for (const QString& line : panel_.recorder().lines()) {
        auto* item = new QListWidgetItem(line, macro_);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    const int row = panel_.recorder().currentRow() - 1;
    if (row >= 0 && row < macro_->count()) {
        macro_->setCurrentRow(row);
        macro_->scrollToItem(macro_->item(row));
    }
    showing_ = false;
}

bool CommandPanelView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            panel_.moveSelection(key == Qt::Key_Down ? 1 : -1);
            showCompletions();
            return true;
        }
        if (key == Qt::Key_Space) {
            if (panel_.completeOnSpace()) {
                text_->setText(panel_.text());
                text_->setCursorPosition(int(panel_.text().size()));
                showCompletions();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
