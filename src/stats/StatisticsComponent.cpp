#include "stats/StatisticsComponent.h"

#include "platform/NumberText.h"
#include "platform/TextIndex.h"
#include "stats/DetectionLimitRule.h"

#include <QHash>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace {
// Classify remembers this many texts by address; a column of distinct texts (keys) goes on by
// content alone.
constexpr size_t maxRememberedAddresses = 4096;

double orNoValue(const std::optional<double>& v) {
    return v && std::isfinite(*v) ? *v : StatisticsComponent::noValue;
}

// The k-th point of a list, 1-based.
double point(const std::vector<double>& list, QStringView k) {
    bool ok = false;
    const int i = k.toInt(&ok);
    return ok && i >= 1 && i <= int(list.size()) ? list[size_t(i - 1)]
                                                 : StatisticsComponent::noValue;
}
} // namespace

void StatisticsComponent::SetSize(int rows, int columns, bool numeric) {
    rows_ = std::max(rows, 0);
    columns = std::max(columns, 0);
    names_ = QStringList(columns);
    Column empty;
    empty.numeric = numeric;
    if (numeric)
        empty.numbers.assign(size_t(rows_), std::numeric_limits<double>::quiet_NaN());
    else
        empty.texts = QStringList(rows_);
    columns_.assign(size_t(columns), empty);
    classNames_.clear();
    classRows_.clear();
    selected_.reset();
    points_.reset();
}

int StatisticsComponent::AppendRow() {
    for (Column& c : columns_)
        if (c.numeric)
            c.numbers.push_back(std::numeric_limits<double>::quiet_NaN());
        else
            c.texts.append(QString());
    return ++rows_;
}

std::optional<double> StatisticsComponent::numberAt(const Column& column, int row) {
    if (column.numeric) {
        const double v = column.numbers[size_t(row)];
        return std::isnan(v) ? std::nullopt : std::optional(v);
    }
    return NumberText::fromText(QStringView(column.texts[row]));
}

QString StatisticsComponent::textAt(const Column& column, int row) {
    if (!column.numeric)
        return column.texts[row];
    const double v = column.numbers[size_t(row)];
    return std::isnan(v) ? QString() : NumberText::toText(v);
}

void StatisticsComponent::makeText(Column& column) {
    if (!column.numeric)
        return;
    column.texts = QStringList();
    column.texts.reserve(qsizetype(column.numbers.size()));
    for (size_t r = 0; r < column.numbers.size(); ++r)
        column.texts.append(textAt(column, int(r)));
    column.numeric = false;
    column.numbers = {};
}

QString StatisticsComponent::ColumnName(int column) const {
    return validColumn(column) ? names_[column - 1] : QString();
}

void StatisticsComponent::setColumnName(int column, const QString& name) {
    if (validColumn(column))
        names_[column - 1] = name;
}

QString StatisticsComponent::CellText(int row, int column) const {
    return validColumn(column) && row >= 1 && row <= rows_
               ? textAt(columns_[size_t(column - 1)], row - 1)
               : QString();
}

std::vector<double> StatisticsComponent::ColumnNumbers(int column, int classIndex) const {
    std::vector<double> out;
    if (!validColumn(column) || classIndex < 0 || classIndex > ClassCount())
        return out;
    const Column& cells = columns_[size_t(column - 1)];
    const auto take = [&](int r) {
        out.push_back(numberAt(cells, r).value_or(std::numeric_limits<double>::quiet_NaN()));
    };
    if (classIndex == 0) {
        out.reserve(size_t(rows_));
        for (int r = 0; r < rows_; ++r)
            take(r);
    } else {
        for (int r : classRows_[size_t(classIndex - 1)])
            take(r);
    }
    return out;
}

void StatisticsComponent::setCellText(int row, int column, const QString& text) {
    if (!validColumn(column) || row < 1 || row > rows_)
        return;
    Column& c = columns_[size_t(column - 1)];
    if (c.numeric && text.isEmpty()) {
        c.numbers[size_t(row - 1)] = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    makeText(c); // the text is kept as it came ("01" stays "01")
    c.texts[row - 1] = text;
}

void StatisticsComponent::setCellNumber(int row, int column, double value) {
    if (!validColumn(column) || row < 1 || row > rows_)
        return;
    Column& c = columns_[size_t(column - 1)];
    if (c.numeric && std::isfinite(value))
        c.numbers[size_t(row - 1)] = value;
    else
        setCellText(row, column, NumberText::toText(value));
}

bool StatisticsComponent::ApplyBDLC(int column, const DetectionLimitRule& rule) {
    if (!validColumn(column))
        return false;
    Column& c = columns_[size_t(column - 1)];
    if (c.numeric) {
        // Numbers only: a negative one may stand for its limit; the rule gives a number or "".
        for (double& v : c.numbers)
            if (!std::isnan(v))
                v = NumberText::fromText(QStringView(rule.converted(NumberText::toText(v))))
                        .value_or(std::numeric_limits<double>::quiet_NaN());
        return true;
    }
    for (QString& text : c.texts)
        text = rule.converted(text);
    return true;
}

void StatisticsComponent::Classify(int column) {
    classNames_.clear();
    classRows_.clear();
    if (!validColumn(column))
        return;
    TextIndex indexes;
    const Column& cells = columns_[size_t(column - 1)];
    const auto classOf = [&](const QString& text) {
        const int k = int(indexes.indexOf(text));
        if (k == int(classRows_.size())) {
            classNames_ << text;
            classRows_.emplace_back();
        }
        return k;
    };
    if (!cells.numeric) {
        // Equal texts streamed from a database share their characters (ComponentLoader), so a
        // class is found again by where its characters lie before they are hashed. The column
        // holds every text while this runs, so no address is reused for another text.
        // The length is kept too: two texts could start at one address and end apart.
        std::unordered_map<const QChar*, std::pair<qsizetype, int>> byAddress;
        for (int r = 0; r < rows_; ++r) {
            const QString& text = cells.texts[r];
            const auto found = byAddress.find(text.constData());
            int k;
            if (found != byAddress.end() && found->second.first == text.size()) {
                k = found->second.second;
            } else {
                k = classOf(text);
                if (byAddress.size() < maxRememberedAddresses)
                    byAddress.try_emplace(text.constData(), text.size(), k);
            }
            classRows_[size_t(k)].push_back(r);
        }
        return;
    }
    // Rows of one class mostly come together: the last class is tried before the index.
    QString lastText;
    int last = -1;
    for (int r = 0; r < rows_; ++r) {
        const QString text = textAt(cells, r);
        if (last < 0 || text != lastText) {
            last = classOf(text);
            lastText = text;
        }
        classRows_[size_t(last)].push_back(r);
    }
}

QString StatisticsComponent::ClassName(int index) const {
    return index >= 1 && index <= ClassCount() ? classNames_[index - 1] : QString();
}

bool StatisticsComponent::SelectColumn(int column, int classIndex) {
    return select(column, 0, classIndex);
}

bool StatisticsComponent::SelectWeightedColumn(int column, int weightColumn, int classIndex) {
    return validColumn(weightColumn) && select(column, weightColumn, classIndex);
}

bool StatisticsComponent::select(int column, int weightColumn, int classIndex) {
    selected_.reset();
    points_.reset();
    if (!validColumn(column) || classIndex < 0 || classIndex > ClassCount())
        return false;
    const Column& cells = columns_[size_t(column - 1)];
    const Column* weights = weightColumn ? &columns_[size_t(weightColumn - 1)] : nullptr;
    std::vector<double> values, w;
    values.reserve(size_t(classIndex == 0 ? rows_ : classRows_[size_t(classIndex - 1)].size()));
    const auto take = [&](int r) {
        const auto v = numberAt(cells, r);
        if (!v)
            return;
        if (weights) {
            const auto wt = numberAt(*weights, r);
            if (!wt || *wt <= 0)
                return;
            w.push_back(*wt);
        }
        values.push_back(*v);
    };
    if (classIndex == 0)
        for (int r = 0; r < rows_; ++r)
            take(r);
    else
        for (int r : classRows_[size_t(classIndex - 1)])
            take(r);
    selected_ = std::make_unique<ColumnStatistics>(std::move(values), std::move(w));
    return true;
}

const BoxPoints& StatisticsComponent::points() const {
    if (!points_)
        points_ = std::make_unique<BoxPoints>(box_.points(*selected_));
    return *points_;
}

const BoxPoints* StatisticsComponent::SelectedBoxPoints() const {
    return selected_ && selected_->count() > 0 ? &points() : nullptr;
}

double StatisticsComponent::Statistic(const QString& name) const {
    if (!selected_)
        return noValue;
    const ColumnStatistics& s = *selected_;
    const QString n = name.trimmed().toUpper();
    if (n == QLatin1String("N"))
        return s.count();
    if (n == QLatin1String("AVG") || n == QLatin1String("AVERAGE"))
        return orNoValue(s.mean());
    if (n == QLatin1String("MIN"))
        return orNoValue(s.min());
    if (n == QLatin1String("MAX"))
        return orNoValue(s.max());
    if (n == QLatin1String("SUM"))
        return orNoValue(s.sum());
    if (n == QLatin1String("STDEV"))
        return orNoValue(s.standardDeviation());
    if (n == QLatin1String("VAR"))
        return orNoValue(s.variance());
    if (n == QLatin1String("CV"))
        return orNoValue(s.coefficientOfVariation());
    if (n == QLatin1String("SKEWNESS"))
        return orNoValue(s.skewness());
    if (n == QLatin1String("KURTOSIS"))
        return orNoValue(s.kurtosis());
    if (n == QLatin1String("MEDIAN"))
        return orNoValue(s.percentile(50));
    if (n.startsWith(QLatin1String("PERC_"))) {
        bool ok = false;
        const int p = QStringView(n).mid(5).toInt(&ok);
        return ok && p >= 0 && p <= 100 ? orNoValue(s.percentile(p)) : noValue;
    }
    if (s.count() == 0)
        return n.startsWith(QLatin1String("N_")) ? 0 : noValue;
    const BoxPoints& p = points();
    if (n == QLatin1String("NONOUTLIERMIN"))
        return orNoValue(p.nonOutlierMin);
    if (n == QLatin1String("NONOUTLIERMAX"))
        return orNoValue(p.nonOutlierMax);
    const struct {
        const char* name;
        const std::vector<double>& list;
    } lists[] = {{"OUTLIERLOW", p.outlierLow},
                 {"OUTLIERHIGH", p.outlierHigh},
                 {"EXTREMELOW", p.extremeLow},
                 {"EXTREMEHIGH", p.extremeHigh}};
    for (const auto& l : lists) {
        const QLatin1String listName(l.name);
        if (n.size() == listName.size() + 2 && n.startsWith(QLatin1String("N_")) &&
            QStringView(n).mid(2) == listName)
            return double(l.list.size());
        if (n.startsWith(listName) && n.size() > listName.size() + 1 &&
            n.at(listName.size()) == QLatin1Char('_'))
            return point(l.list, QStringView(n).mid(listName.size() + 1));
    }
    return noValue;
}

std::optional<DistributionCounts>
StatisticsComponent::Distribution(int column, const std::vector<DistributionClass>& classes,
                                  DistributionRead read, bool caseSensitive) const {
    if (!validColumn(column) || classes.empty())
        return std::nullopt;
    DistributionCounts out;
    out.counts.assign(classes.size(), 0);
    out.classOfRow.assign(size_t(rows_), -1);
    const Column& cells = columns_[size_t(column - 1)];
    for (int r = 0; r < rows_; ++r) {
        const auto v = read == DistributionRead::Texts ? std::nullopt : numberAt(cells, r);
        int found = -1;
        if (v) {
            for (size_t k = 0; k < classes.size() && found < 0; ++k)
                if (classes[k].contains(*v))
                    found = int(k);
        } else if (read != DistributionRead::Numbers) {
            const QString text = textAt(cells, r);
            const auto cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
            for (size_t k = 0; k < classes.size() && found < 0 && !text.isEmpty(); ++k)
                if (classes[k].name.compare(text, cs) == 0)
                    found = int(k);
        }
        out.classOfRow[size_t(r)] = found;
        if (found < 0)
            ++out.outside;
        else
            ++out.counts[size_t(found)];
    }
    return out;
}
