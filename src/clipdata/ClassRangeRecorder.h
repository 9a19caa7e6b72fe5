#pragma once
// Records the classes of rows written in classifier order: a class starts at the first row and
// whenever the classifier differs from the current class's name. The 50th class is named
// "...Others" and takes every later row, so at most 50 classes are kept.
#include "clipdata/ClassRange.h"

#include <vector>

class ClassRangeRecorder {
public:
    static constexpr int maxClasses = 50;
    static QString othersName() { return QStringLiteral("...Others"); }

    void add(int row, const QString& classifier);
    const std::vector<ClassRange>& ranges() const { return ranges_; }

private:
    std::vector<ClassRange> ranges_;
};
