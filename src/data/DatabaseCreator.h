#pragma once

#include <QString>

// Creates a new database from the program's schema with the operator "Administrator".
// Refuses to touch an existing file. Errors (db::Error, std::runtime_error) reach the caller.
void createBrevantDatabase(const QString& path, const QString& adminPassword,
                           bool forceEmbedded = true);
// A random password of the given length from letters and digits that are hard to confuse.
QString generatePassword(int length = 12);
