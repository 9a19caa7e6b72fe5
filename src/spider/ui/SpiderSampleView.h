#pragma once
// The sample selection window's widgets: the table and filter pickers, the field for "Only the
// ones which have data in field", "And not zero", the two lists and their buttons. "&OK" hands
// the chosen samples to the spider window and closes.
#include "spider/SpiderSampleSelection.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QListWidget;
class SpiderWindow;

class SpiderSampleView : public QWidget {
    Q_OBJECT
public:
    SpiderSampleView(SessionDatabase& session, Dialogs& dialogs, Status& status,
                     SpiderWindow& spider, QWidget* parent = nullptr);

    SpiderSampleSelection& controller() { return selection_; }
    // "All from Table", "Use filter", "Only the ones which have data in field" / "... in all
    // fields".
    enum class Fill { AllFromTable, Filter, DataInField, DataInAllFields };
    bool fill(Fill how);
    // Told after "&OK" handed over the samples.
    std::function<void()> accepted;
    // "&View": the chosen samples in a grid.
    std::function<void(const QString& statement, const QString& caption)> openGrid;

    QComboBox* tableBox() const { return table_; }
    QComboBox* filterBox() const { return filter_; }
    QComboBox* fieldBox() const { return field_; }
    QCheckBox* notZeroBox() const { return notZero_; }
    QListWidget* candidateList() const { return left_; }
    QListWidget* selectedList() const { return right_; }
    bool accept();

private:
    void showLists();

    SessionDatabase& session_;
    SpiderWindow& spider_;
    SpiderSampleSelection selection_;
    QComboBox* table_;
    QComboBox* filter_;
    QComboBox* field_;
    QCheckBox* notZero_;
    QListWidget* left_;
    QListWidget* right_;
};
