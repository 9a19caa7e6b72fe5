#include "app/ui/DialogPlace.h"

#include "app/WindowGeometry.h"

#include <QWidget>

void DialogPlace::restore(QWidget& dialog, const WindowGeometry* geometry, const QString& name,
                          bool dialogSized) {
    if (!geometry)
        return;
    const WindowRect r = geometry->load(name, dialogSized);
    if (r.width && r.height && *r.width > 50 && *r.height > 50)
        dialog.resize(*r.width, *r.height);
    if (r.left && r.top)
        dialog.move(*r.left, *r.top);
}

void DialogPlace::save(const QWidget& dialog, const WindowGeometry* geometry, const QString& name,
                       bool dialogSized) {
    if (geometry)
        geometry->save(name, {dialog.x(), dialog.y(), dialog.width(), dialog.height()},
                       dialogSized);
}
