#pragma once
// The PictureBook panel of the main window: the figure list, Add, Draw, the up and down
// arrows, the caption text with its Save, and the drawing options. A thin view over its
// controller, which must outlive it.
#include <QWidget>

class PictureBookController;
class QCheckBox;
class QLineEdit;
class QListWidget;

class PictureBookPanel : public QWidget {
    Q_OBJECT
public:
    explicit PictureBookPanel(PictureBookController& controller, QWidget* parent = nullptr);

    // Shows the controller's list, selection and caption again.
    void refresh();
    QListWidget* list() const { return list_; }

private:
    QCheckBox* option(const QString& caption, const QString& tip);
    void takeOptions();

    PictureBookController& controller_;
    QListWidget* list_;
    QLineEdit* caption_;
    QCheckBox* showCaption_;
    QCheckBox* objectsOnly_;
    QCheckBox* figureFilter_;
    QCheckBox* figureSorter_;
    QCheckBox* saveGraphFiles_;
};
