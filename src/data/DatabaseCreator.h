#pragma once

#include "Attachment.h"

#include <QString>

// Creates a new database from the program's schema, at its newest version, with the operator
// "Administrator". A local path opens the file in-process; host:/path creates it on that
// server with the given credentials. Refuses to touch an existing file. When creating fails
// part-way, what was made is removed. Errors (db::Error, std::runtime_error) reach the caller.
void createBrevantDatabase(const db::ConnectionParams& params, const QString& adminPassword);
// The same from the given schema script (tests show a failure half-way with a broken one).
void createBrevantDatabase(const db::ConnectionParams& params, const QString& adminPassword,
                           const QString& schema);
// A local file, always through the embedded engine (tests, benchmarks).
void createBrevantDatabase(const QString& path, const QString& adminPassword,
                           bool forceEmbedded = true);
// The administrator's password was generated and kept in the file `plikHasla`: it must be
// changed at the first login, and the file is removed then. Errors reach the caller.
void oznaczHasloDoZmiany(const db::ConnectionParams& params, const QString& plikHasla);
// A random password of the given length from letters and digits that are hard to confuse.
QString generatePassword(int length = 12);
