#pragma once

#include <QIcon>

// The program's pictures, drawn rather than shipped so they stay sharp at any size.
namespace Icons {
QIcon application();
QIcon rozliczenia();
QIcon wyciag();
QIcon faktury();
QIcon kontrahenci();
} // namespace Icons
