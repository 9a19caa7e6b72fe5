#pragma once
// The definition window's widgets: the tree of tables and fields, the element list with "Add",
// "Empty", "Del", "Up", "Down" and "Clear", "Spidergram name:" and "&OK"; and the panel "Add
// normalization samples to database": a spider type, a sample name, one value box per element,
// "Save sample" and "&Clear". Everything goes to the SpiderDefinition controller.
#include "spider/SpiderDefinition.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QLineEdit;
class QListWidget;
class QTableWidget;
class QTreeWidget;
class SchemaCatalogue;

class SpiderDefinitionView : public QWidget {
    Q_OBJECT
public:
    SpiderDefinitionView(const SchemaCatalogue& catalogue, Dialogs& dialogs,
                         SpiderDefinition::SystemOpener system, const SystemTables& names,
                         QWidget* parent = nullptr);

    SpiderDefinition& controller() { return definition_; }
    // Told after a type or sample was stored, so that the spider window reads them again.
    std::function<void()> libraryChanged;

    QTreeWidget* tree() const { return tree_; }
    QListWidget* elementList() const { return elements_; }
    QLineEdit* nameBox() const { return name_; }
    QComboBox* sampleTypeBox() const { return sampleType_; }
    QLineEdit* sampleNameBox() const { return sampleName_; }
    QTableWidget* valueTable() const { return values_; }

    // "Add": the fields chosen in the tree.
    void addChosen();
    bool save();
    bool saveSample();
    void fillSampleTypes();

private:
    void showElements();
    void showValueBoxes();

    SpiderDefinition definition_;
    QTreeWidget* tree_;
    QListWidget* elements_;
    QLineEdit* name_;
    QComboBox* sampleType_;
    QLineEdit* sampleName_;
    QTableWidget* values_;
};
