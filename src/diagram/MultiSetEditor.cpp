#include "diagram/MultiSetEditor.h"

#include <algorithm>

namespace {
bool isComplete(const DiagramDefinition::Set& s) {
    return !s.xTable.isEmpty() && !s.xField.isEmpty() && !s.yTable.isEmpty() && !s.yField.isEmpty();
}
} // namespace

void MultiSetEditor::store(const Set& boxes) {
    if (current_ <= count())
        definition_.sets[size_t(current_ - 1)] = boxes;
    else if (isComplete(boxes))
        definition_.sets.push_back(boxes);
}

MultiSetEditor::Set MultiSetEditor::select(int n) {
    current_ = std::clamp(n, 1, count() + 1);
    return shown();
}

MultiSetEditor::Set MultiSetEditor::remove() {
    if (current_ <= count())
        definition_.sets.erase(definition_.sets.begin() + (current_ - 1));
    return select(current_);
}

MultiSetEditor::Set MultiSetEditor::shown() const {
    return current_ <= count() ? definition_.sets[size_t(current_ - 1)] : Set{};
}
