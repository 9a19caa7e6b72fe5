#pragma once
// The Find window's work: finding and replacing over the current column, the active grid or
// every open grid, downwards from the current record or round the whole, and telling the person
// what came of it ("No matching records", "3 replacements done.").
#include "grid/GridFindReplace.h"

#include <vector>

class Dialogs;

class GridSearch {
public:
    enum class Scope { CurrentColumn, ActiveGrid, AllGrids };
    enum class Direction { Down, All };

    struct Request {
        QString text;
        QString replacement;
        Scope scope = Scope::ActiveGrid;
        bool wholeWord = false;
        bool matchCase = false;
        Direction direction = Direction::Down;
    };
    // An open grid and the columns shown in it; the active grid comes first.
    struct Grid {
        GridController* controller = nullptr;
        std::vector<int> columns;
    };
    struct Place {
        int grid = 0; // index into the grids
        GridController::Cell cell;
        bool operator==(const Place&) const = default;
    };

    GridSearch(std::vector<Grid> grids, Dialogs& dialogs);

    // The heading of the Find window: "Find in Column Au", "Find in Grid Samples", ...
    static QString title(Scope scope, const QString& column, const QString& grid);

    // From the first record of the active grid.
    std::optional<Place> findFirst(const Request& request);
    // From the record after `at`: downwards to the end of the scope, or round it with All.
    std::optional<Place> findNext(const Request& request, const Place& at);
    // Replaces in the record at `at` when it matches, then finds the next one.
    std::optional<Place> replace(const Request& request, const Place& at);
    // Replaces every match from the record at `at` down (or all with All); the count, or -1.
    int replaceAll(const Request& request, const Place& at);

private:
    // The grids the scope covers, in search order from the active one.
    std::vector<int> gridsInScope() const;
    GridFindReplace::Options options(const Request& request, int grid, int column) const;
    std::optional<Place> search(const Request& request, const Place& at, bool inclusive);
    std::optional<Place> notFound();

    std::vector<Grid> grids_;
    Dialogs& dialogs_;
};
