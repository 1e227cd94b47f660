#pragma once

#include "Attachment.h"

#include <QString>

#include <optional>

namespace db {

// A database name split into its server and its path on that server ("host:/path",
// "host/port:/path"); nullopt for a local path ("/path", "C:\path").
struct ServerPath {
    QString server;
    QString path;
};
std::optional<ServerPath> splitServerPath(const QString& database);

// Backs up a database served by a Firebird server with gbak through the server's services
// interface; backupPath is a path on the server's machine. Errors (db::Error) reach the caller.
void backupThroughServer(const ConnectionParams& params, const QString& backupPath);

} // namespace db
