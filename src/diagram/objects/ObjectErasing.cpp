#include "diagram/objects/ObjectErasing.h"

#include "diagram/objects/UserObjects.h"
#include "platform/Dialogs.h"

bool ObjectErasing::polygon(UserObjects& objects, int& selected, Dialogs& dialogs) {
    if (selected < 0 || size_t(selected) >= objects.polygons.size()) {
        dialogs.message(MessageKind::Information, UserObjects::selectPolygonHint());
        return false;
    }
    objects.polygons.erase(objects.polygons.begin() + selected);
    selected = -1;
    return true;
}

bool ObjectErasing::trendline(UserObjects& objects, int& selected, Dialogs& dialogs) {
    int index = selected;
    if (index < 0) {
        dialogs.message(MessageKind::Information, UserObjects::selectTrendlineHint());
        const auto answer =
            dialogs.input(Dialogs::title(), UserObjects::trendlineNumberQuestion(), QString());
        bool ok = false;
        index = answer ? answer->trimmed().toInt(&ok) - 1 : -1;
        if (!ok)
            return false;
    }
    if (index < 0 || size_t(index) >= objects.trendlines.size())
        return false;
    objects.trendlines.erase(objects.trendlines.begin() + index);
    selected = -1;
    return true;
}
