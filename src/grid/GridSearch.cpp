#include "grid/GridSearch.h"

#include "platform/Dialogs.h"

GridSearch::GridSearch(std::vector<Grid> grids, Dialogs& dialogs)
    : grids_(std::move(grids))
    , dialogs_(dialogs) {}

QString GridSearch::title(Scope scope, const QString& column, const QString& grid) {
    switch (scope) {
    case Scope::CurrentColumn:
        return QStringLiteral("Find in Column ") + column;
    case Scope::ActiveGrid:
        return QStringLiteral("Find in Grid ") + grid;
    case Scope::AllGrids:
        return QStringLiteral("Find in All Grids ") + grid;
    }
    return {};
}

std::vector<int> GridSearch::gridsInScope() const {
    std::vector<int> out;
    for (int g = 0; g < int(grids_.size()); ++g)
        if (grids_[g].controller && grids_[g].controller->model())
            out.push_back(g);
    return out;
}

GridFindReplace::Options GridSearch::options(const Request& request, int grid, int column) const {
    GridFindReplace::Options o;
    o.columns = request.scope == Scope::CurrentColumn ? std::vector<int>{column}
                                                      : grids_[size_t(grid)].columns;
    o.wholeWord = request.wholeWord;
    o.matchCase = request.matchCase;
    return o;
}

std::optional<GridSearch::Place> GridSearch::notFound() {
    dialogs_.message(MessageKind::Information, QStringLiteral("No matching records"));
    return std::nullopt;
}

std::optional<GridSearch::Place> GridSearch::findFirst(const Request& request) {
    return search(request, Place{0, {0, 0}}, true);
}

std::optional<GridSearch::Place> GridSearch::findNext(const Request& request, const Place& at) {
    return search(request, at, false);
}

std::optional<GridSearch::Place> GridSearch::search(const Request& request, const Place& at,
                                                    bool inclusive) {
    if (request.text.isEmpty() || at.grid < 0 || at.grid >= int(grids_.size()))
        return std::nullopt;
    const int column = at.cell.column;
    const int start = at.cell.row + (inclusive ? 0 : 1);
    const auto look = [&](int grid, int from, int until) -> std::optional<Place> {
        GridController* controller = grids_[size_t(grid)].controller;
        if (!controller || !controller->model())
            return std::nullopt;
        const auto found = GridFindReplace(*controller, dialogs_)
                               .findNext(request.text, options(request, grid, column), from, until);
        return found ? std::optional(Place{grid, *found}) : std::nullopt;
    };
    // Later columns of the record it stands on first: the grid always has a current cell, and
    // a match beside it must not be passed over.
    if (!inclusive && at.cell.row >= 0) {
        std::vector<int> after;
        for (int c : options(request, at.grid, column).columns)
            if (c > column)
                after.push_back(c);
        GridController* controller = grids_[size_t(at.grid)].controller;
        if (controller && !after.empty())
            if (const auto found =
                    controller->find(request.text, after, request.wholeWord, request.matchCase,
                                     at.cell.row, at.cell.row + 1))
                return Place{at.grid, *found};
    }
    if (const auto found = look(at.grid, start, -1))
        return found;
    const int count = request.scope == Scope::AllGrids ? int(grids_.size()) : 1;
    // The grids after the active one, then (round the whole) those before it.
    const int others = request.direction == Direction::All ? count - 1 : count - 1 - at.grid;
    for (int step = 1; step <= others; ++step)
        if (const auto found = look((at.grid + step) % count, 0, -1))
            return found;
    if (request.direction == Direction::All && start > 0)
        if (const auto found = look(at.grid, 0, start))
            return found;
    return notFound();
}

std::optional<GridSearch::Place> GridSearch::replace(const Request& request, const Place& at) {
    if (at.grid < 0 || at.grid >= int(grids_.size()) || !grids_[size_t(at.grid)].controller)
        return std::nullopt;
    GridFindReplace one(*grids_[size_t(at.grid)].controller, dialogs_);
    if (one.replaceInRow(request.text, request.replacement,
                         options(request, at.grid, at.cell.column), at.cell.row) < 0)
        return std::nullopt;
    return findNext(request, at);
}

int GridSearch::replaceAll(const Request& request, const Place& at) {
    if (request.text.isEmpty() || at.grid < 0 || at.grid >= int(grids_.size()))
        return -1;
    const int count = request.scope == Scope::AllGrids ? int(grids_.size()) : 1;
    int replaced = 0;
    for (int step = 0; step < count; ++step) {
        const int grid = (at.grid + step) % count;
        GridController* controller = grids_[size_t(grid)].controller;
        if (!controller || !controller->model())
            continue;
        const bool fromHere = request.direction == Direction::Down && step == 0;
        const int n =
            GridFindReplace(*controller, dialogs_)
                .replaceAll(request.text, request.replacement,
                            options(request, grid, at.cell.column), fromHere ? at.cell.row : 0);
        if (n < 0)
            return -1;
        replaced += n;
    }
    dialogs_.message(MessageKind::Information,
                     QString::number(replaced) + QStringLiteral(" replacements done."));
    return replaced;
}
