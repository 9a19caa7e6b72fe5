#include "figure/Classifier.h"

#include "figure/InternedColumn.h"
#include "figure/ValueRanges.h"
#include "platform/NumberText.h"
#include "platform/RowSet.h"
#include "platform/Sheet.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// A class before its rows are sorted into it.
struct PendingClass {
    QString name;
    int group = 0; // 0 numeric classes, 1 texts, 2 Null: the order of the groups
    std::optional<double> number;
};

bool comesBefore(const PendingClass& a, const PendingClass& b) {
    if (a.group != b.group) {
        return a.group < b.group;
    }
    if (a.number.has_value() != b.number.has_value()) {
        return a.number.has_value();
    }
    if (a.number && *a.number != *b.number) {
        return *a.number < *b.number;
    }
    const int c = QString::compare(a.name, b.name, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a.name < b.name;
}

} // namespace

void Classifier::addNull() {
    rowKeys_.push_back(nullKey);
}

void Classifier::addNumber(double value) {
    if (!std::isfinite(value)) {
        addText(NumberText::toText(value));
        return;
    }
    rowKeys_.push_back(numberKey(value));
}

void Classifier::addText(const QString& text) {
    rowKeys_.push_back(textKey(text));
}

void Classifier::add(const CellValue& value) {
    rowKeys_.push_back(keyOf(value));
}

qint32 Classifier::keyOf(const CellValue& value) {
    switch (value.kind()) {
    case CellValue::Kind::Empty:
    case CellValue::Kind::Null:
        return nullKey;
    case CellValue::Kind::Number: {
        const double number = *value.toNumber();
        return std::isfinite(number) ? numberKey(number) : textKey(NumberText::toText(number));
    }
    case CellValue::Kind::Text:
    case CellValue::Kind::Date:
    case CellValue::Kind::Boolean:
        break;
    }
    return textKey(value.toText());
}

qint32 Classifier::numberKey(double value) {
    const auto it = numberIds_.constFind(value);
    if (it != numberIds_.constEnd()) {
        return 2 * it.value();
    }
    const auto id = qint32(numbers_.size());
    numbers_.push_back(value);
    numberIds_.insert(value, id);
    return 2 * id;
}

qint32 Classifier::textKey(const QString& text) {
    // Rows of one class often follow each other: repeating the last text skips the hash.
    if (lastTextKey_ != nullKey && texts_.text(quint32(lastTextKey_ / 2)) == text) {
        return lastTextKey_;
    }
    lastTextKey_ = 2 * qint32(texts_.indexOf(text)) + 1;
    return lastTextKey_;
}

Classification Classifier::finish() const {
    Classification result;
    std::vector<PendingClass> pending;
    QHash<QString, int> byName;
    byName.reserve(qsizetype(texts_.size() + numbers_.size()) + 1);
    pending.reserve(texts_.size() + numbers_.size() + 1);
    const auto classNamed = [&](const QString& name, int group, std::optional<double> number) {
        const auto it = byName.constFind(name);
        if (it != byName.constEnd()) {
            return it.value();
        }
        const int id = int(pending.size());
        pending.push_back({name, group, number});
        byName.insert(name, id);
        return id;
    };
    constexpr int dropped = -1;
    constexpr int droppedNonNumeric = -2;

    // Numeric value of every distinct key, for options 1 and 2.
    std::vector<std::optional<double>> textNumbers(texts_.size());
    std::optional<ValueRanges> ranges;
    if (options_.mode != ClassifyMode::AsText) {
        double lo = 0;
        double hi = 0;
        bool any = false;
        const auto extend = [&](double v) {
            lo = any ? std::min(lo, v) : v;
            hi = any ? std::max(hi, v) : v;
            any = true;
        };
        for (const double v : numbers_) {
            extend(v);
        }
        for (size_t i = 0; i < texts_.size(); ++i) {
            textNumbers[i] = NumberText::fromText(texts_.text(quint32(i)));
            if (textNumbers[i]) {
                extend(*textNumbers[i]);
            }
        }
        if (any && options_.mode == ClassifyMode::NumberRanges) {
            ranges.emplace(lo, hi);
        }
    }
    const auto numericClass = [&](double v) {
        if (options_.mode == ClassifyMode::GroupNumbers) {
            return classNamed(numericClassName(), 0, std::nullopt);
        }
        const int index = ranges->indexOf(v);
        return classNamed(ranges->name(index), 0, double(index));
    };

    std::vector<int> numberClass(numbers_.size());
    for (size_t i = 0; i < numbers_.size(); ++i) {
        if (options_.mode == ClassifyMode::AsText) {
            const QString name = CellValue::formatNumber(numbers_[i]);
            numberClass[i] = classNamed(name, 1, numbers_[i]);
        } else {
            numberClass[i] = numericClass(numbers_[i]);
        }
    }
    // The texts are distinct already: as long as no number shares their names, each is a class
    // of its own, and a hundred thousand of them need no second hash.
    const bool textsAlone = options_.mode == ClassifyMode::AsText && numbers_.empty();
    std::vector<int> textClass(texts_.size());
    for (size_t i = 0; i < texts_.size(); ++i) {
        if (textsAlone) {
            textClass[i] = int(pending.size());
            pending.push_back(
                {texts_.text(quint32(i)), 1, NumberText::fromText(texts_.text(quint32(i)))});
        } else if (options_.mode != ClassifyMode::AsText && textNumbers[i]) {
            textClass[i] = numericClass(*textNumbers[i]);
        } else if (options_.mode == ClassifyMode::NumberRanges &&
                   options_.dropNonNumericFromRanges) {
            textClass[i] = droppedNonNumeric;
        } else {
            textClass[i] = classNamed(texts_.text(quint32(i)), 1,
                                      NumberText::fromText(texts_.text(quint32(i))));
        }
    }
    int nullClass = dropped;
    if (options_.drawNulls) {
        const auto named = texts_.find(nullClassName());
        nullClass =
            textsAlone && named ? textClass[*named] : classNamed(nullClassName(), 2, std::nullopt);
    }

    // Class order, then every row into its class in row order.
    std::vector<int> order(pending.size());
    for (size_t i = 0; i < order.size(); ++i) {
        order[i] = int(i);
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return comesBefore(pending[size_t(a)], pending[size_t(b)]);
    });
    std::vector<int> position(pending.size());
    result.classes.resize(pending.size());
    for (size_t i = 0; i < order.size(); ++i) {
        position[size_t(order[i])] = int(i);
        result.classes[i].name = pending[size_t(order[i])].name;
    }
    std::vector<qsizetype> sizes(pending.size(), 0);
    std::vector<int> rowClass(rowKeys_.size());
    for (size_t r = 0; r < rowKeys_.size(); ++r) {
        const qint32 key = rowKeys_[r];
        const int c = key == nullKey ? nullClass
                      : key % 2 == 0 ? numberClass[size_t(key / 2)]
                                     : textClass[size_t(key / 2)];
        rowClass[r] = c;
        if (c >= 0) {
            ++sizes[size_t(c)];
        } else if (c == droppedNonNumeric) {
            ++result.nonNumericRowsDropped;
        } else {
            ++result.nullRowsDropped;
        }
    }
    for (size_t c = 0; c < pending.size(); ++c) {
        result.classes[size_t(position[c])].rows.reserve(size_t(sizes[c]));
    }
    for (size_t r = 0; r < rowClass.size(); ++r) {
        if (rowClass[r] >= 0) {
            result.classes[size_t(position[size_t(rowClass[r])])].rows.push_back(quint32(r));
        }
    }
    // A class whose every row was dropped does not exist (e.g. "<Null>" with no Null rows).
    std::erase_if(result.classes, [](const DataClass& c) { return c.rows.empty(); });
    return result;
}

Classification Classifier::classify(const RowSet& rows, int column, Options options) {
    Classifier classifier(options);
    classifier.rowKeys_.reserve(size_t(rows.rowCount()));
    for (qsizetype r = 0; r < rows.rowCount(); ++r) {
        classifier.add(rows.at(r, column));
    }
    return classifier.finish();
}

Classification Classifier::classify(const InternedColumn& column, Options options) {
    Classifier classifier(options);
    std::vector<qint32> keys;
    keys.reserve(column.distinct().size());
    // A field with a value per sample has as many distinct values as rows: growing the index
    // step by step would cost more than filling it.
    classifier.texts_.reserve(qsizetype(column.distinct().size()));
    const bool allTexts =
        std::all_of(column.distinct().begin(), column.distinct().end(),
                    [](const CellValue& v) { return v.kind() == CellValue::Kind::Text; });
    for (const CellValue& value : column.distinct()) {
        if (allTexts) { // distinct texts: each its own key
            keys.push_back(2 * qint32(classifier.texts_.indexOf(value.toText())) + 1);
        } else {
            keys.push_back(classifier.keyOf(value));
        }
    }
    classifier.rowKeys_.reserve(column.ids().size());
    for (const quint32 id : column.ids()) {
        classifier.rowKeys_.push_back(keys[id]);
    }
    return classifier.finish();
}

Classification Classifier::classify(const Sheet& sheet, int column, int firstRow, int lastRow,
                                    Options options) {
    Classifier classifier(options);
    for (int r = firstRow; r <= lastRow; ++r) {
        const std::vector<SheetCell>& cells = sheet.rowCells(r);
        const SheetCell* cell =
            size_t(column - 1) < cells.size() ? &cells[size_t(column - 1)] : nullptr;
        if (!cell || cell->isEmpty()) {
            classifier.addNull();
        } else if (cell->kind() == SheetCell::Kind::Number) {
            classifier.addNumber(cell->number());
        } else {
            classifier.addText(cell->storedText());
        }
    }
    return classifier.finish();
}

Classification Classifier::single(qsizetype rowCount, const QString& name) {
    Classification result;
    DataClass all{name, {}};
    all.rows.resize(size_t(rowCount));
    for (qsizetype r = 0; r < rowCount; ++r) {
        all.rows[size_t(r)] = quint32(r);
    }
    if (rowCount > 0) {
        result.classes.push_back(std::move(all));
    }
    return result;
}
