#pragma once

#include <functional>

class Tdm;

// The main window's refresh after an import window: remembers the current contractor,
// runs the window (`execute` answers whether it booked anything), and when it booked,
// reopens the contractor list and returns to that contractor (or the first one).
// True when the list was reopened, so that the caller recomputes its buttons and menu.
bool OdswiezPoWczytaniu(Tdm& dm, const std::function<bool()>& execute);
