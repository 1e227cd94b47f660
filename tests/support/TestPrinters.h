#pragma once

// Readable failure messages for the program's own value types.
#include "Date.h"
#include "Money.h"

#include <QString>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const Money& m, std::ostream* os) {
    *os << m.toPlain().toStdString();
}
inline void PrintTo(const Date& d, std::ostream* os) {
    *os << (d.isZero() ? std::string("<zero date>") : d.toIso().toStdString());
}
