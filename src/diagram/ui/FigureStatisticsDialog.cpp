#include "diagram/ui/FigureStatisticsDialog.h"

#include "diagram/FigureStatistics.h"
#include "platform/Dialogs.h"
#include "platform/qt/SheetTableModel.h"

#include <QDialog>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

void FigureStatisticsDialog::show(const Figure& figure, Dialogs& dialogs, QWidget* parent) {
    if (figure.pointCount() == 0) {
        dialogs.message(MessageKind::Information, QStringLiteral("No data"));
        return;
    }
    Sheet table = FigureStatistics::table(figure);
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Statistics"));
    auto* view = new QTableView(&dialog);
    SheetTableModel model(&table);
    view->setModel(&model);
    view->resizeColumnsToContents();
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(view);
    auto* close = new QPushButton(QStringLiteral("&Close"), &dialog);
    QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
    layout->addWidget(close);
    dialog.resize(720, 460);
    dialog.exec();
}
