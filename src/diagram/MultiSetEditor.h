#pragma once
// The multi-set frame of XY-MultiGraph and Stacking bar: the X and Y boxes show one set at a
// time ("Set #"); stepping past the last set starts a new one, "Del" removes the set shown. Edits
// the definition's sets in place; holds the caller's definition, which must outlive it.
#include "diagram/DiagramDefinition.h"

class MultiSetEditor {
public:
    using Set = DiagramDefinition::Set;

    explicit MultiSetEditor(DiagramDefinition& definition)
        : definition_(definition) {}

    // 1-based; count() + 1 while a new set is being filled in.
    int current() const { return current_; }
    int count() const { return int(definition_.sets.size()); }

    // What the boxes hold becomes the set shown; a new set is kept only once its X and Y are
    // both chosen.
    void store(const Set& boxes);
    // Shows set n, clamped to 1 ... count() + 1 (one past the last: a new, empty set).
    Set select(int n);
    // "Del" ("Removes this set in MultiGraph"): the set shown goes; the one after it (or the new
    // last) is shown.
    Set remove();

private:
    Set shown() const;

    DiagramDefinition& definition_;
    int current_ = 1;
};
