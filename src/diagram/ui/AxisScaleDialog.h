#pragma once
// The "Scale axis" dialog of a diagram window: boxes X min, X max, Y min, Y max with up/down
// buttons, "Freeze X Axis" / "Freeze Y Axis", the data range, and "&Apply" (also F2), "&Data  def",
// "&Reset", "&Close". Changes go to the DiagramWindow; `shown` then shows the figure again. Its
// place is kept under "AxisMinMax..." when a WindowGeometry is given.
#include <QDialog>

#include <array>
#include <functional>

class DiagramWindow;
class QCheckBox;
class QLineEdit;
class WindowGeometry;

class AxisScaleDialog : public QDialog {
    Q_OBJECT
public:
    static QString shortName() { return QStringLiteral("AxisMinMax"); }

    AxisScaleDialog(DiagramWindow& window, const WindowGeometry* geometry,
                    std::function<void()> shown, QWidget* parent = nullptr);

    void done(int result) override;

private:
    std::array<QString, 4> texts() const;
    void apply();
    void stepBox(size_t index, int direction);

    DiagramWindow& window_;
    const WindowGeometry* geometry_;
    std::function<void()> shown_;
    std::array<QLineEdit*, 4> boxes_{};
    QCheckBox* freezeX_;
    QCheckBox* freezeY_;
};
