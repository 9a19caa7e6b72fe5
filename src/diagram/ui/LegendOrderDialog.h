#pragma once
// "Order of Items in the Legend": the series names in legend order; the selected item moves up
// or down, "&Remove" drops it from the legend, "&OK" applies the order, "&Close" leaves without
// a change. Its place is kept under "LegOrder...".
#include <QDialog>
#include <QStringList>

class QListWidget;
class WindowGeometry;

class LegendOrderDialog : public QDialog {
    Q_OBJECT
public:
    static QString shortName() { return QStringLiteral("LegOrder"); }

    LegendOrderDialog(const QStringList& names, const WindowGeometry* geometry,
                      QWidget* parent = nullptr);

    // The names as they stand in the list now.
    QStringList order() const;
    void done(int result) override;

private:
    void moveSelected(int step);

    QListWidget* list_;
    const WindowGeometry* geometry_;
};
