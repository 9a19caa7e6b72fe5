#pragma once
// Puts a dialog where it was last closed and remembers the place again: the "<name>Left",
// "<name>Top", "<name>Width", "<name>Height" keys of the window geometry store (a dialog-sized
// window only its "Left" and "Top"). Without a store (nullptr) the dialog keeps its default
// place.
#include <QString>

class QWidget;
class WindowGeometry;

class DialogPlace {
public:
    static void restore(QWidget& dialog, const WindowGeometry* geometry, const QString& name,
                        bool dialogSized = false);
    static void save(const QWidget& dialog, const WindowGeometry* geometry, const QString& name,
                     bool dialogSized = false);
};
