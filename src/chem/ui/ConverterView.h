#pragma once
// The converter window's widgets: the "Mineral" list, the formula box, "Formstyle" with its
// up/down control, "Calculate", and the result in the chosen layout (two lists, a text, or a
// table). Every action goes to the ConverterWindow controller.
#include "chem/ConverterWindow.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QStackedWidget;
class QTableWidget;
class QToolButton;

class ConverterView : public QWidget {
    Q_OBJECT
public:
    explicit ConverterView(Dialogs& dialogs, QWidget* parent = nullptr);

    ConverterWindow& controller() { return converter_; }
    // Reads the library (the settings' one, or the shipped one) into the "Mineral" list.
    void openLibrary(const QString& database, const QString& table, const QString& userFolder);
    // "Quv &Help".
    std::function<void()> showHelp;

    QComboBox* mineralList() const { return minerals_; }
    QComboBox* formulaBox() const { return formula_; }
    QLineEdit* modeBox() const { return mode_; }
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }
    QStackedWidget* resultPages() const { return pages_; }
    QComboBox* elementList() const { return elements_; }
    QComboBox* oxideList() const { return oxides_; }
    QPlainTextEdit* resultText() const { return text_; }
    QTableWidget* resultTable() const { return table_; }

private:
    void calculate();
    void showResult();
    void stepLayout(bool up);

    ConverterWindow converter_;
    QComboBox* minerals_;
    QComboBox* formula_;
    QLineEdit* mode_;
    QToolButton* up_;
    QToolButton* down_;
    QStackedWidget* pages_;
    QComboBox* elements_;
    QComboBox* oxides_;
    QPlainTextEdit* text_;
    QTableWidget* table_;
};
