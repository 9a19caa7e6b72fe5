#include "app/RecordFindBuffer.h"

int RecordFindBuffer::find(const Sheet& record, const QString& text) {
    rows_.clear();
    at_ = 0;
    if (text.isEmpty())
        return 0;
    for (int r = 1; r <= record.lastRow(); ++r)
        if (record.text(r, 1).contains(text, Qt::CaseInsensitive) ||
            record.text(r, 2).contains(text, Qt::CaseInsensitive))
            rows_.push_back(r);
    return rows_.empty() ? 0 : rows_.front();
}

int RecordFindBuffer::next() {
    if (rows_.empty())
        return 0;
    at_ = (at_ + 1) % rows_.size();
    return rows_[at_];
}

int RecordFindBuffer::previous() {
    if (rows_.empty())
        return 0;
    at_ = (at_ + rows_.size() - 1) % rows_.size();
    return rows_[at_];
}
