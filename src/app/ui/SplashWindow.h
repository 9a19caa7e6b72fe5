#pragma once
// The small window shown while start-up runs: the program's name, the owner line and one line
// saying what start-up is doing.
#include <QWidget>

class QLabel;

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    SplashWindow();
    void showAction(const QString& text);
    void setOwnerLine(const QString& text);

private:
    QLabel* action_;
    QLabel* owner_;
};
