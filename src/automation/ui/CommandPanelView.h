#pragma once
// The command and macro panel's widgets over a CommandPanel: the command box (Text1) with
// Execute, the command library list (LstCommandLib) and the history (lstHistory), and the macro
// sheet with Rec/Stop, Run, Step >, Clear and Add. Double-clicking a library or history entry
// copies it into the box; Down and Up move in the library list, Space completes.
#include <QWidget>

class CommandPanel;
class QLineEdit;
class QListWidget;
class QPushButton;

class CommandPanelView : public QWidget {
    Q_OBJECT
public:
    explicit CommandPanelView(CommandPanel& panel, QWidget* parent = nullptr);

    // Shows the panel's state: the box, the lists, the macro and the Rec button.
    void refresh();
    QLineEdit* commandBox() const { return text_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCompletions();
    void showMacro();
    QPushButton* button(const QString& caption, const QString& name);

    CommandPanel& panel_;
    QLineEdit* text_;
    QListWidget* library_;
    QListWidget* history_;
    QListWidget* macro_;
    QPushButton* record_;
    bool showing_ = false;
};
