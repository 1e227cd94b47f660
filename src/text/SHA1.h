#pragma once

#include <QString>

// The stored form of a password: the text in Windows-1250 (at most 255 bytes), its SHA-1,
// as 40 upper-case hexadecimal digits.
QString SHA1Digest(const QString& text);
// True for the operator named "Administrator" in any letter case, blanks around ignored.
bool IsAdmin(const QString& operatorName);
