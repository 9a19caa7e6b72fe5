#pragma once
// The population program sheet for its table view: the eight columns of an action row are
// always there and their headings say what goes into each (letter and meaning); an empty
// program is still a form to fill in.
#include "platform/qt/SheetTableModel.h"

class PopulationProgramModel : public SheetTableModel {
    Q_OBJECT
public:
    using SheetTableModel::SheetTableModel;

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
};
