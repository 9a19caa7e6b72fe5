#include "diagram/ObjectHeaderEditor.h"
#include "platform/ConnectionTextRedactor.h"

#include "db/SystemDatabase.h"
#include "diagram/DiagramObjectController.h"
#include "diagram/DiagramWindow.h"
#include "diagram/ObjectLibraryBrowser.h"
#include "diagram/objects/LibraryObjects.h"
#include "diagram/objects/ObjectLibrary.h"
#include "platform/Dialogs.h"
#include "platform/NumberText.h"

#include <QRegularExpression>

namespace {

bool isPoint(LibraryKind k) {
    return k == LibraryKind::Point;
}
QString createdByColumn(LibraryKind k) {
    return isPoint(k) ? QStringLiteral("CreatedBy") : QStringLiteral("Created by");
}
QString dateColumn(LibraryKind k) {
    return isPoint(k) ? QStringLiteral("DateCreated") : QStringLiteral("Date");
}
QString noteColumn(LibraryKind k) {
    return isPoint(k) ? QStringLiteral("Notes") : QStringLiteral("Note");
}
// The fields the user describes an object with (not its key, axes or geometry).
QStringList descriptive(LibraryKind k) {
    return {QStringLiteral("Case"), QStringLiteral("SubCase"), createdByColumn(k), dateColumn(k),
            noteColumn(k)};
}
double numberIn(const LibraryRecord& r, const QString& column) {
    return NumberText::fromText(r.text(column).trimmed()).value_or(0);
}

} // namespace

ObjectHeaderEditor::ObjectHeaderEditor(DiagramWindow& window, DiagramObjectController& objects,
                                       Dialogs& dialogs, QString systemDatabase, SystemTables names)
    : window_(window)
    , objects_(objects)
    , dialogs_(dialogs)
    , systemDatabase_(std::move(systemDatabase))
    , names_(std::move(names)) {
    collection_.setText(QStringLiteral("Source"), ObjectAxes::chartTypeOf(window.definition));
}

std::vector<ObjectHeaderEditor::Field> ObjectHeaderEditor::fields(LibraryKind kind) {
    std::vector<Field> out{{QStringLiteral("Counter:"), LibraryKinds::keyColumn(kind), true},
                           {QStringLiteral("Source:"), QStringLiteral("Source"), true}};
    if (kind != LibraryKind::Collection)
        for (const char* axis : {"X", "Y", "C"}) {
            const QString a = QString::fromLatin1(axis);
            out.push_back({a + QStringLiteral("Table:"), a + QStringLiteral("Table"), true});
            out.push_back({a + QStringLiteral("Value:"), a + QStringLiteral("Value"), true});
        }
    out.push_back({QStringLiteral("Name:"), QStringLiteral("Name"), false});
    out.push_back({QStringLiteral("Case:"), QStringLiteral("Case"), false});
    out.push_back({QStringLiteral("SubCase:"), QStringLiteral("SubCase"), false});
    out.push_back({QStringLiteral("Created by:"), createdByColumn(kind), false});
    out.push_back({QStringLiteral("Date:"), dateColumn(kind), false});
    out.push_back({QStringLiteral("Note:"), noteColumn(kind), false});
    if (kind == LibraryKind::Trendline)
        for (const char* c : {"XMin", "XMax", "AllowMove", "Equation"})
            out.push_back({QString::fromLatin1(c) + u':', QString::fromLatin1(c), false});
    if (kind == LibraryKind::Point)
        for (const char* c : {"XCoord", "YCoord", "CCoord"})
            out.push_back({QString::fromLatin1(c) + u':', QString::fromLatin1(c), false});
    return out;
}

int ObjectHeaderEditor::count() const {
    const UserObjects& o = objects_.objects;
    switch (kind_) {
    case LibraryKind::Trendline:
        return int(o.trendlines.size());
    case LibraryKind::Polygon:
        return int(o.polygons.size());
    case LibraryKind::Point:
        return int(o.points.size());
    case LibraryKind::Collection:
        break;
    }
    return o.trendlines.empty() && o.polygons.empty() && o.points.empty() ? 0 : 1;
}

QString ObjectHeaderEditor::nameAt(int i) const {
    const UserObjects& o = objects_.objects;
    if (i < 0 || i >= count())
        return {};
    switch (kind_) {
    case LibraryKind::Trendline:
        return o.trendlines[size_t(i)].name;
    case LibraryKind::Polygon:
        return o.polygons[size_t(i)].name;
    case LibraryKind::Point:
        return o.points[size_t(i)].name;
    case LibraryKind::Collection:
        break;
    }
    return collection_.text(QStringLiteral("Name"));
}

void ObjectHeaderEditor::setKind(LibraryKind kind) {
    kind_ = kind;
    int start = count() > 0 ? 0 : -1;
    if (kind == LibraryKind::Polygon && objects_.selectedPolygon() >= 0)
        start = objects_.selectedPolygon();
    if (kind == LibraryKind::Trendline && objects_.selectedTrendline() >= 0)
        start = objects_.selectedTrendline();
    show(start);
}

void ObjectHeaderEditor::show(int index) {
    index_ = index >= 0 && index < count() ? index : -1;
    record_ = recordOfShown();
    pastedNodes_.reset();
    dirty_ = false;
}

LibraryRecord ObjectHeaderEditor::recordOfShown() const {
    if (index_ < 0)
        return {};
    const UserObjects& o = objects_.objects;
    LibraryRecord r;
    int key = 0;
    switch (kind_) {
    case LibraryKind::Trendline:
        r = LibraryObjects::recordOf(o.trendlines[size_t(index_)]);
        key = o.trendlines[size_t(index_)].header.libraryKey;
        r.setText(QStringLiteral("XMin"), r.value(QStringLiteral("XMin")).toText());
        r.setText(QStringLiteral("XMax"), r.value(QStringLiteral("XMax")).toText());
        break;
    case LibraryKind::Polygon:
        r = LibraryObjects::recordOf(o.polygons[size_t(index_)]);
        key = o.polygons[size_t(index_)].header.libraryKey;
        break;
    case LibraryKind::Point: {
        const RefPoint& p = o.points[size_t(index_)];
        r = LibraryObjects::recordOf(p);
        key = p.header.libraryKey;
        r.setText(QStringLiteral("XCoord"), NumberText::toText(p.at.x()));
        r.setText(QStringLiteral("YCoord"), NumberText::toText(p.at.y()));
        r.setText(QStringLiteral("CCoord"), NumberText::toText(p.c));
        break;
    }
    case LibraryKind::Collection:
        return collection_;
    }
    r.setText(LibraryKinds::keyColumn(kind_), key > 0 ? QString::number(key) : QString());
    return r;
}

void ObjectHeaderEditor::setText(const QString& column, const QString& value) {
    if (index_ < 0 || column == LibraryKinds::keyColumn(kind_) || text(column) == value)
        return;
    record_.setText(column, value);
    dirty_ = true;
}

bool ObjectHeaderEditor::addNew() {
    UserObjects& o = objects_.objects;
    const ObjectAxes axes = ObjectAxes::of(window_.definition);
    const QString kind = LibraryKinds::caption(kind_);
    const auto full = [&](size_t n) {
        if (n < ObjectLibraryBrowser::maxPerKind)
            return false;
        dialogs_.message(MessageKind::Exclamation, ObjectLibraryBrowser::tooMany(kind));
        return true;
    };
    switch (kind_) {
    case LibraryKind::Trendline:
        if (full(o.trendlines.size()))
            return false;
        o.trendlines.push_back(
            {axes, QStringLiteral("TLine_%1").arg(o.trendlines.size() + 1), 0, 0, {}, false, {}});
        break;
    case LibraryKind::Polygon:
        if (full(o.polygons.size()))
            return false;
        o.polygons.push_back(
            {axes, QStringLiteral("Polygon_%1").arg(o.polygons.size() + 1), {}, false, {}});
        break;
    case LibraryKind::Point:
        if (full(o.points.size()))
            return false;
        o.points.push_back(
            {axes, QStringLiteral("Point_%1").arg(o.points.size() + 1), {0, 0}, 0, {}});
        break;
    case LibraryKind::Collection:
        return false;
    }
    show(count() - 1);
    return true;
}

bool ObjectHeaderEditor::update() {
    if (index_ < 0)
        return false;
    UserObjects& o = objects_.objects;
    switch (kind_) {
    case LibraryKind::Trendline: {
        Trendline& t = o.trendlines[size_t(index_)];
        Trendline edited = LibraryObjects::trendlineOf(record_);
        edited.showInLegend = t.showInLegend;
        edited.header.libraryKey = t.header.libraryKey;
        t = std::move(edited);
        break;
    }
    case LibraryKind::Polygon: {
        UserPolygon& p = o.polygons[size_t(index_)];
        UserPolygon edited = LibraryObjects::polygonOf(record_, pastedNodes_.value_or(p.nodes));
        pastedNodes_.reset();
        edited.showInLegend = p.showInLegend;
        edited.header.libraryKey = p.header.libraryKey;
        p = std::move(edited);
        break;
    }
    case LibraryKind::Point: {
        RefPoint& p = o.points[size_t(index_)];
        RefPoint edited =
            LibraryObjects::pointOf(record_, {numberIn(record_, QStringLiteral("XCoord")),
                                              numberIn(record_, QStringLiteral("YCoord")),
                                              numberIn(record_, QStringLiteral("CCoord"))});
        edited.header.libraryKey = p.header.libraryKey;
        p = std::move(edited);
        break;
    }
    case LibraryKind::Collection:
        collection_ = record_;
        break;
    }
    dirty_ = false;
    if (window_.hasFigure())
        window_.draw();
    return true;
}

bool ObjectHeaderEditor::mayClose() {
    if (!dirty_)
        return true;
    switch (dialogs_.question(closeQuestion(), QuestionButtons::YesNoCancel)) {
    case Answer::Yes:
        update();
        return true;
    case Answer::No:
        dirty_ = false;
        return true;
    default:
        return false;
    }
}

bool ObjectHeaderEditor::addToDatabase() {
    if (index_ < 0 || (dirty_ && !update()))
        return false;
    UserObjects& o = objects_.objects;
    std::vector<CollectionMember> members;
    if (kind_ == LibraryKind::Polygon && o.polygons[size_t(index_)].nodes.empty()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("No nodes. Erase polygon"));
        return false;
    }
    if (kind_ == LibraryKind::Collection) {
        const auto collect = [&](LibraryKind kind, const auto& objects) {
            for (size_t i = 0; i < objects.size(); ++i) {
                if (objects[i].header.libraryKey == 0) {
                    dialogs_.message(MessageKind::Exclamation,
                                     LibraryKinds::caption(kind) + QStringLiteral(" no ") +
                                         QString::number(i + 1) +
                                         QStringLiteral(" not in database. Add it"));
                    return false;
                }
                members.push_back({kind, objects[i].header.libraryKey});
            }
            return true;
        };
        if (!collect(LibraryKind::Trendline, o.trendlines) ||
            !collect(LibraryKind::Polygon, o.polygons) || !collect(LibraryKind::Point, o.points))
            return false;
    }
    OpenedConnection system = SystemDatabase::open(systemDatabase_, names_);
    if (!system.ok()) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Error in opening the system database ") +
                             ConnectionTextRedactor::redact(systemDatabase_) +
                             QStringLiteral("\r\n") + system.error);
        return false;
    }
    ObjectLibrary library(*system.connection, names_);
    std::optional<int> key;
    switch (kind_) {
    case LibraryKind::Trendline:
        key = library.addTrendline(LibraryObjects::recordOf(o.trendlines[size_t(index_)]));
        if (key)
            o.trendlines[size_t(index_)].header.libraryKey = *key;
        break;
    case LibraryKind::Polygon: {
        UserPolygon& p = o.polygons[size_t(index_)];
        key = library.addPolygon(LibraryObjects::recordOf(p), p.nodes);
        if (key)
            p.header.libraryKey = *key;
        break;
    }
    case LibraryKind::Point: {
        RefPoint& p = o.points[size_t(index_)];
        key = library.addPoint(LibraryObjects::recordOf(p), {p.at.x(), p.at.y(), p.c});
        if (key)
            p.header.libraryKey = *key;
        break;
    }
    case LibraryKind::Collection:
        key = library.addCollection(collection_, members);
        if (key)
            collection_.set(QStringLiteral("CollectionID"), CellValue::number(*key));
        break;
    }
    if (!key) {
        dialogs_.message(MessageKind::Exclamation, library.lastError());
        return false;
    }
    record_ = recordOfShown();
    dialogs_.message(MessageKind::Information,
                     text(QStringLiteral("Name")) + QStringLiteral(" written to Quv database!"));
    return true;
}

bool ObjectHeaderEditor::deleteFromDatabase() {
    const int key = int(NumberText::fromText(text(LibraryKinds::keyColumn(kind_))).value_or(0));
    if (index_ < 0 || key == 0)
        return false;
    const QString kind = LibraryKinds::caption(kind_);
    if (dialogs_.question(QStringLiteral("Do you want to delete ") + kind + QStringLiteral(" ") +
                              text(QStringLiteral("Name")) + QStringLiteral("."),
                          QuestionButtons::YesNo) != Answer::Yes)
        return false;
    OpenedConnection system = SystemDatabase::open(systemDatabase_, names_);
    if (!system.ok()) {
        dialogs_.message(MessageKind::Exclamation, system.error);
        return false;
    }
    ObjectLibrary library(*system.connection, names_);
    if (!library.remove(kind_, key)) {
        dialogs_.message(MessageKind::Exclamation, library.lastError());
        return false;
    }
    UserObjects& o = objects_.objects;
    switch (kind_) {
    case LibraryKind::Trendline:
        o.trendlines[size_t(index_)].header.libraryKey = 0;
        break;
    case LibraryKind::Polygon:
        o.polygons[size_t(index_)].header.libraryKey = 0;
        break;
    case LibraryKind::Point:
        o.points[size_t(index_)].header.libraryKey = 0;
        break;
    case LibraryKind::Collection:
        collection_.setText(QStringLiteral("CollectionID"), {});
        break;
    }
    const LibraryRecord edits = record_;
    record_ = recordOfShown();
    for (const auto& [column, value] : edits.fields())
        if (column != LibraryKinds::keyColumn(kind_))
            record_.set(column, value);
    return true;
}

bool ObjectHeaderEditor::copyFrom(int step) {
    const int from = index_ + step;
    if (index_ < 0 || from < 0 || from >= count())
        return false;
    const int here = index_;
    index_ = from;
    const LibraryRecord neighbour = recordOfShown();
    index_ = here;
    for (const QString& column : descriptive(kind_))
        setText(column, neighbour.text(column));
    return true;
}

void ObjectHeaderEditor::emptyAll() {
    setText(QStringLiteral("Name"), {});
    for (const QString& column : descriptive(kind_))
        setText(column, {});
}

namespace {

// The numbers of each line of a pasted text (tabs, semicolons or spaces between them).
std::vector<std::vector<double>> numberLines(const QString& text) {
    std::vector<std::vector<double>> lines;
    for (const QString& line : text.split(u'\n')) {
        std::vector<double> numbers;
        for (const QString& cell :
             line.split(QRegularExpression(QStringLiteral("[\t; ]+")), Qt::SkipEmptyParts))
            if (const auto n = NumberText::fromText(cell.trimmed()))
                numbers.push_back(*n);
        if (!numbers.empty())
            lines.push_back(std::move(numbers));
    }
    return lines;
}

} // namespace

bool ObjectHeaderEditor::paste(Paste what, const QString& clipboard) {
    const LibraryKind needs = what == Paste::TrendlineEquation ? LibraryKind::Trendline
                              : what == Paste::PolygonNodes    ? LibraryKind::Polygon
                                                               : LibraryKind::Point;
    if (kind_ != needs || index_ < 0) {
        dialogs_.message(MessageKind::Exclamation, noModelRow());
        return false;
    }
    if (what == Paste::TrendlineEquation) {
        setText(QStringLiteral("Equation"), clipboard.trimmed());
        return true;
    }
    const auto lines = numberLines(clipboard);
    if (what == Paste::RefPointCoordinates) {
        if (lines.empty() || lines.front().size() < 2)
            return false;
        const std::vector<double>& v = lines.front();
        setText(QStringLiteral("XCoord"), NumberText::toText(v[0]));
        setText(QStringLiteral("YCoord"), NumberText::toText(v[1]));
        setText(QStringLiteral("CCoord"), NumberText::toText(v.size() > 2 ? v[2] : 0));
        return true;
    }
    std::vector<QPointF> nodes;
    for (const std::vector<double>& v : lines)
        if (v.size() >= 2)
            nodes.emplace_back(v[0], v[1]);
    if (nodes.empty())
        return false;
    pastedNodes_ = std::move(nodes);
    dirty_ = true;
    return true;
}
