#pragma once
// "BLINK=ON": the series the person clicks (its points or its legend entry) blinks, so that one
// class can be found among many. Follows the series by name, so a redraw keeps it blinking.
#include <QObject>
#include <QString>

class QCustomPlot;
class QTimer;

class SeriesBlinker : public QObject {
    Q_OBJECT
public:
    explicit SeriesBlinker(QCustomPlot& plot);

    bool isOn() const { return on_; }
    void setOn(bool on);
    // The series that blinks while on; empty: none.
    const QString& seriesName() const { return name_; }
    void follow(const QString& seriesName);

private:
    void tick();
    void showAll();

    QCustomPlot& plot_;
    QTimer* timer_;
    QString name_;
    bool on_ = false;
};
