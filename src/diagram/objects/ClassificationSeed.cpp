#include "diagram/objects/ClassificationSeed.h"

#include "diagram/TernaryTransform.h"
#include "diagram/objects/LibraryObjects.h"
#include "diagram/objects/ObjectLibrary.h"
#include "diagram/objects/TrendlineEquation.h"
#include "platform/NumberText.h"
#include "platform/ResourceTable.h"

#include <QSet>
#include <cmath>

namespace {

QString cell(const QStringList& cells, qsizetype i) {
    return i < cells.size() ? cells[i].trimmed() : QString();
}

// A node row as a figure point: X and Y, or on a ternary diagram the plane point of A, B, C.
std::optional<QPointF> nodeOf(const QStringList& cells, bool ternary) {
    std::array<double, 3> v{};
    for (int i = 0; i < (ternary ? 3 : 2); ++i) {
        const auto n = NumberText::fromText(cell(cells, i + 1));
        if (!n)
            return std::nullopt;
        v[size_t(i)] = *n;
    }
    if (ternary)
        return TernaryTransform::toPlane(v[0], v[1], v[2]);
    return QPointF(v[0], v[1]);
}

// A straight line on log-log axes between two points: Y = y1 * (x / x1) ^ k.
QString powerLawThrough(QPointF a, QPointF b) {
    const double k = std::log(b.y() / a.y()) / std::log(b.x() / a.x());
    return QStringLiteral("Y=") + NumberText::toText(a.y()) + QStringLiteral("*(x/") +
           NumberText::toText(a.x()) + QStringLiteral(")^") + NumberText::toText(k);
}

void finishTrendline(Trendline& t, const QString& kind, std::vector<QPointF> nodes) {
    if (nodes.size() < 2)
        return;
    std::sort(nodes.begin(), nodes.end(), [](QPointF a, QPointF b) { return a.x() < b.x(); });
    t.xMin = nodes.front().x();
    t.xMax = nodes.back().x();
    t.equation = kind == QLatin1String("loglog") && nodes.size() == 2
                     ? powerLawThrough(nodes[0], nodes[1])
                     : TrendlineEquation::polylineThrough(nodes);
}

} // namespace

std::vector<SeedDiagram> ClassificationSeed::diagrams() {
    std::vector<SeedDiagram> result;
    std::vector<QPointF> nodes;
    QString trendKind;
    enum class Open { None, Polygon, Trendline } open = Open::None;
    const auto close = [&] {
        if (open == Open::Polygon)
            result.back().polygons.back().nodes = nodes;
        else if (open == Open::Trendline)
            finishTrendline(result.back().trendlines.back(), trendKind, nodes);
        open = Open::None;
        nodes.clear();
    };
    for (const QStringList& cells :
         ResourceTable::lines(QStringLiteral(":/objects/classification-diagrams.tsv"))) {
        const QString row = cell(cells, 0);
        if (row == QLatin1String("collection")) {
            close();
            SeedDiagram d;
            d.name = cell(cells, 1);
            d.axes.source = cell(cells, 2);
            const int axes = d.axes.source == QLatin1String("Tri") ? 3 : 2;
            for (int i = 0; i < axes; ++i) {
                d.axes.tables[size_t(i)] = QStringLiteral("*");
                d.axes.fields[size_t(i)] = cell(cells, 3 + i);
            }
            d.citation = cell(cells, 6);
            result.push_back(std::move(d));
            continue;
        }
        if (result.empty())
            continue;
        SeedDiagram& d = result.back();
        ObjectHeader header;
        header.caseName = d.name;
        header.note = d.citation;
        header.createdBy = QStringLiteral("QUV Data");
        if (row == QLatin1String("polygon")) {
            close();
            d.polygons.push_back({d.axes, cell(cells, 1), {}, false, header});
            open = Open::Polygon;
        } else if (row == QLatin1String("trendline")) {
            close();
            d.trendlines.push_back({d.axes, cell(cells, 1), 0, 0, {}, false, header});
            trendKind = cell(cells, 2);
            open = Open::Trendline;
        } else if (row == QLatin1String("node")) {
            if (const auto p = nodeOf(cells, d.axes.source == QLatin1String("Tri")))
                nodes.push_back(*p);
        }
    }
    close();
    return result;
}

QString ClassificationSeed::seed(ObjectLibrary& library) {
    const auto stored = library.list(LibraryKind::Collection, {});
    if (!stored)
        return library.lastError();
    QSet<QString> present;
    for (qsizetype r = 0; r < stored->rowCount(); ++r)
        present.insert(stored->value(r, QStringLiteral("Name")).toText());
    for (const SeedDiagram& d : diagrams()) {
        if (present.contains(d.name))
            continue;
        std::vector<CollectionMember> members;
        for (const Trendline& t : d.trendlines) {
            const auto key = library.addTrendline(LibraryObjects::recordOf(t));
            if (!key)
                return library.lastError();
            members.push_back({LibraryKind::Trendline, *key});
        }
        for (const UserPolygon& p : d.polygons) {
            const auto key = library.addPolygon(LibraryObjects::recordOf(p), p.nodes);
            if (!key)
                return library.lastError();
            members.push_back({LibraryKind::Polygon, *key});
        }
        LibraryRecord collection;
        collection.setText(QStringLiteral("Source"), d.axes.source);
        collection.setText(QStringLiteral("Name"), d.name);
        collection.setText(QStringLiteral("Case"), d.name);
        collection.setText(QStringLiteral("Created by"), QStringLiteral("QUV Data"));
        collection.setText(QStringLiteral("Note"), d.citation);
        if (!library.addCollection(collection, members))
            return library.lastError();
    }
    return {};
}
