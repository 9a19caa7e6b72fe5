#pragma once
// Erasing the polygon or trendline selected on a figure from its user objects, as every window
// that draws objects does it: a hint when no polygon is selected, the trendline's number asked
// when no trendline is.
class Dialogs;
class UserObjects;

namespace ObjectErasing {

// False when nothing was erased; `selected` is cleared when something was.
bool polygon(UserObjects& objects, int& selected, Dialogs& dialogs);
bool trendline(UserObjects& objects, int& selected, Dialogs& dialogs);

} // namespace ObjectErasing
