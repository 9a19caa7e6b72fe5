#include "diagram/ObjectLibraryBrowser.h"
#include "platform/ConnectionTextRedactor.h"

#include "db/SystemDatabase.h"
#include "diagram/objects/LibraryObjects.h"
#include "diagram/objects/LibraryPassword.h"
#include "platform/Dialogs.h"
#include "platform/Status.h"

struct ObjectLibraryBrowser::Opened {
    OpenedConnection connection;
    std::unique_ptr<ObjectLibrary> library;
};

ObjectLibraryBrowser::ObjectLibraryBrowser(ObjectFigure& figure, Dialogs& dialogs, Status& status,
                                           QString systemDatabase, SystemTables names)
    : figure_(figure)
    , dialogs_(dialogs)
    , status_(status)
    , systemDatabase_(std::move(systemDatabase))
    , names_(std::move(names)) {
    listing.chartType = figure.axes().source;
}

ObjectLibraryBrowser::~ObjectLibraryBrowser() = default;

std::unique_ptr<ObjectLibraryBrowser::Opened> ObjectLibraryBrowser::open() {
    auto opened = std::make_unique<Opened>();
    opened->connection = SystemDatabase::open(systemDatabase_, names_);
    if (!opened->connection.ok()) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Error in opening the system database ") +
                             ConnectionTextRedactor::redact(systemDatabase_) +
                             QStringLiteral("\r\n") + opened->connection.error);
        return nullptr;
    }
    opened->library = std::make_unique<ObjectLibrary>(*opened->connection.connection, names_);
    return opened;
}

bool ObjectLibraryBrowser::setKind(LibraryKind kind) {
    kind_ = kind;
    showingNodes_ = false;
    return refresh();
}

bool ObjectLibraryBrowser::refresh() {
    selected = -1;
    showingNodes_ = false;
    const auto opened = open();
    if (!opened)
        return false;
    auto rows = opened->library->list(kind_, listing);
    if (!rows) {
        rows_ = RowSet();
        dialogs_.message(MessageKind::Exclamation, opened->library->lastError());
        return false;
    }
    rows_ = std::move(*rows);
    status_.showStatus(QStringLiteral("Table: ") + LibraryKinds::table(kind_, names_) +
                           QStringLiteral(" (Records=") + QString::number(rows_.rowCount()) +
                           QStringLiteral(")"),
                       0);
    return true;
}

int ObjectLibraryBrowser::keyAt(int row) const {
    if (row < 0 || row >= rows_.rowCount())
        return 0;
    return int(rows_.value(row, LibraryKinds::keyColumn(kind_)).toNumber().value_or(0));
}

bool ObjectLibraryBrowser::showNodes() {
    const int key = kind_ == LibraryKind::Polygon && !showingNodes_ ? keyAt(selected) : 0;
    if (key == 0) {
        dialogs_.message(MessageKind::Exclamation, noPolygonSelected());
        return false;
    }
    const auto opened = open();
    if (!opened)
        return false;
    const auto rows = opened->connection.connection->query(
        QStringLiteral("SELECT * FROM [") + names_.polygonNodes +
            QStringLiteral("] WHERE [PolyID] = ? ORDER BY [NodeNo]"),
        {CellValue::number(key)});
    if (!rows) {
        dialogs_.message(MessageKind::Exclamation, opened->connection.connection->lastError());
        return false;
    }
    rows_ = *rows;
    selected = -1;
    showingNodes_ = true;
    return true;
}

bool ObjectLibraryBrowser::backToList() {
    return refresh();
}

bool ObjectLibraryBrowser::toggleEdit() {
    if (editing_) {
        editing_ = false;
        status_.showStatus({}, 0);
        return true;
    }
    const auto opened = open();
    if (!opened)
        return false;
    if (LibraryPassword::isSet(*opened->library)) {
        const auto given = dialogs_.input({}, QStringLiteral("Give password:"), {});
        if (!given)
            return false;
        if (!LibraryPassword::matches(*opened->library, *given)) {
            dialogs_.message(MessageKind::Exclamation, wrongPassword());
            return false;
        }
    }
    editing_ = true;
    status_.showStatus(QStringLiteral("Edit ") + LibraryKinds::table(kind_, names_) +
                           QStringLiteral(" records"),
                       0);
    return true;
}

bool ObjectLibraryBrowser::changePassword() {
    if (!editing_)
        return false;
    const auto given =
        dialogs_.input({}, QStringLiteral("Give the new library password (empty for none):"), {});
    if (!given)
        return false;
    const auto opened = open();
    if (!opened)
        return false;
    if (!LibraryPassword::set(*opened->library, *given)) {
        dialogs_.message(MessageKind::Exclamation, opened->library->lastError());
        return false;
    }
    return true;
}

bool ObjectLibraryBrowser::addFromFigure() {
    if (!editing_ || showingNodes_)
        return false;
    UserObjects& o = figure_.objects();
    const int polygon = figure_.selectedPolygon();
    const int trendline = figure_.selectedTrendline();
    const bool ofPolygons =
        kind_ == LibraryKind::Polygon && polygon >= 0 && size_t(polygon) < o.polygons.size();
    const bool ofTrendlines = kind_ == LibraryKind::Trendline && trendline >= 0 &&
                              size_t(trendline) < o.trendlines.size();
    if (!ofPolygons && !ofTrendlines) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("No ") +
                                                       LibraryKinds::caption(kind_) +
                                                       QStringLiteral(" selected, select one"));
        return false;
    }
    const auto opened = open();
    if (!opened)
        return false;
    ObjectHeader& header =
        ofPolygons ? o.polygons[size_t(polygon)].header : o.trendlines[size_t(trendline)].header;
    const auto key =
        ofPolygons
            ? opened->library->addPolygon(LibraryObjects::recordOf(o.polygons[size_t(polygon)]),
                                          o.polygons[size_t(polygon)].nodes)
            : opened->library->addTrendline(
                  LibraryObjects::recordOf(o.trendlines[size_t(trendline)]));
    if (!key) {
        dialogs_.message(MessageKind::Exclamation, opened->library->lastError());
        return false;
    }
    header.libraryKey = *key;
    if (!refresh())
        return false;
    for (int r = 0; r < rows_.rowCount(); ++r)
        if (keyAt(r) == *key)
            selected = r;
    return true;
}

bool ObjectLibraryBrowser::deleteSelected() {
    const int key = showingNodes_ ? 0 : keyAt(selected);
    if (!editing_ || key == 0)
        return false;
    const QString name = rows_.value(selected, QStringLiteral("Name")).toText();
    if (dialogs_.question(QStringLiteral("Do you want to delete ") + LibraryKinds::caption(kind_) +
                              QStringLiteral(" ") + name + QStringLiteral("."),
                          QuestionButtons::YesNo) != Answer::Yes)
        return false;
    const auto opened = open();
    if (!opened)
        return false;
    if (!opened->library->remove(kind_, key)) {
        dialogs_.message(MessageKind::Exclamation, opened->library->lastError());
        return false;
    }
    return refresh();
}

std::optional<LibraryCondition> ObjectLibraryBrowser::askCondition(const QString& title) {
    const auto column = dialogs_.input(title, QStringLiteral("Enter column"), {});
    if (!column || column->trimmed().isEmpty())
        return std::nullopt;
    const auto value = dialogs_.input(title, QStringLiteral("Enter value"), {});
    if (!value)
        return std::nullopt;
    return LibraryCondition{column->trimmed(), *value};
}

bool ObjectLibraryBrowser::askSort(bool descending) {
    const auto column = dialogs_.input({}, QStringLiteral("Enter sort column"), listing.sortColumn);
    if (!column || column->trimmed().isEmpty())
        return false;
    listing.sortColumn = column->trimmed();
    listing.descending = descending;
    return refresh();
}

bool ObjectLibraryBrowser::askFind() {
    const auto wanted = askCondition(QStringLiteral("Find"));
    if (!wanted)
        return false;
    const int column = rows_.columnIndex(wanted->column);
    for (qsizetype r = selected + 1; column >= 0 && r < rows_.rowCount(); ++r)
        if (rows_.at(r, column).toText() == wanted->value) {
            selected = int(r);
            return true;
        }
    return false;
}

bool ObjectLibraryBrowser::askFilter() {
    const auto filter = askCondition(QStringLiteral("Set Filter condition"));
    if (!filter)
        return false;
    listing.filter = *filter;
    return refresh();
}

bool ObjectLibraryBrowser::clearFilter() {
    listing.filter = {};
    return refresh();
}

namespace {

// The index of the figure's object stored under the same library key, or -1.
template <typename T> int sameKey(const std::vector<T>& in, int key) {
    if (key == 0)
        return -1;
    for (size_t i = 0; i < in.size(); ++i)
        if (in[i].header.libraryKey == key)
            return int(i);
    return -1;
}

} // namespace

// Adds one object, or after the overwrite question puts it in place of the one of the same
// number; false when it was not added (the limit, or No).
template <typename T>
static bool place(std::vector<T>& into, T object, const QString& kind, Dialogs& dialogs) {
    const int same = sameKey(into, object.header.libraryKey);
    if (same >= 0) {
        if (dialogs.question(QStringLiteral("Do you want to overwrite ") + kind +
                                 QStringLiteral(" # ") + QString::number(object.header.libraryKey),
                             QuestionButtons::YesNo) != Answer::Yes)
            return false;
        into[size_t(same)] = std::move(object);
        return true;
    }
    if (into.size() >= ObjectLibraryBrowser::maxPerKind) {
        dialogs.message(MessageKind::Exclamation, ObjectLibraryBrowser::tooMany(kind));
        return false;
    }
    into.push_back(std::move(object));
    return true;
}

bool ObjectLibraryBrowser::addTrendline(Trendline t) {
    return place(figure_.objects().trendlines, std::move(t), QStringLiteral("Trendline"), dialogs_);
}
bool ObjectLibraryBrowser::addPolygon(UserPolygon p) {
    return place(figure_.objects().polygons, std::move(p), QStringLiteral("Polygon"), dialogs_);
}
bool ObjectLibraryBrowser::addPoint(RefPoint p) {
    return place(figure_.objects().points, std::move(p), QStringLiteral("Point"), dialogs_);
}

bool ObjectLibraryBrowser::draw() {
    const int key = showingNodes_ ? 0 : keyAt(selected);
    if (key == 0) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("No ") +
                                                       LibraryKinds::caption(kind_) +
                                                       QStringLiteral(" selected, select one"));
        return false;
    }
    const auto opened = open();
    if (!opened)
        return false;
    ObjectLibrary& library = *opened->library;

    std::vector<CollectionMember> wanted{{kind_, key}};
    if (kind_ == LibraryKind::Collection) {
        const auto members = library.members(key);
        if (!members) {
            dialogs_.message(MessageKind::Exclamation, library.lastError());
            return false;
        }
        wanted = *members;
    }
    std::vector<Trendline> trendlines;
    std::vector<UserPolygon> polygons;
    std::vector<RefPoint> points;
    for (const CollectionMember& m : wanted) {
        const auto record = library.record(m.kind, m.key);
        std::optional<std::vector<QPointF>> nodes;
        std::optional<std::array<double, 3>> at;
        if (record && m.kind == LibraryKind::Polygon)
            nodes = library.nodes(m.key);
        if (record && m.kind == LibraryKind::Point)
            at = library.coordinates(m.key);
        if (!record || (m.kind == LibraryKind::Polygon && !nodes) ||
            (m.kind == LibraryKind::Point && !at)) {
            dialogs_.message(MessageKind::Exclamation, library.lastError());
            return false;
        }
        if (m.kind == LibraryKind::Trendline)
            trendlines.push_back(LibraryObjects::trendlineOf(*record));
        else if (m.kind == LibraryKind::Polygon)
            polygons.push_back(LibraryObjects::polygonOf(*record, *nodes));
        else
            points.push_back(LibraryObjects::pointOf(*record, *at));
    }

    std::vector<ObjectAxes*> axes;
    for (auto& t : trendlines)
        axes.push_back(&t.axes);
    for (auto& p : polygons)
        axes.push_back(&p.axes);
    for (auto& p : points)
        axes.push_back(&p.axes);
    if (axes.empty())
        return false;
    const bool matches =
        figure_.hasFigure() && std::all_of(axes.begin(), axes.end(), [this](const ObjectAxes* a) {
            return a->matches(figure_.axes());
        });
    if (!matches) {
        switch (dialogs_.question(mismatchQuestion(), QuestionButtons::YesNoCancel)) {
        case Answer::Yes: {
            // The objects now belong to the figure they are added to.
            const ObjectAxes figure = figure_.axes();
            for (ObjectAxes* a : axes)
                *a = figure;
            break;
        }
        case Answer::No:
            if (!figure_.drawFigureOf(*axes.front()))
                return false;
            break;
        default:
            return false;
        }
    }

    bool added = false;
    for (Trendline& t : trendlines)
        added = addTrendline(std::move(t)) || added;
    for (UserPolygon& p : polygons)
        added = addPolygon(std::move(p)) || added;
    for (RefPoint& p : points)
        added = addPoint(std::move(p)) || added;
    if (added)
        figure_.redraw();
    return added;
}
