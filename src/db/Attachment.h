#pragma once

#include <QString>

namespace Firebird {
class IAttachment;
}

namespace db {

struct ConnectionParams {
    QString database; // a path (embedded) or host:/path (server)
    QString user = QStringLiteral("sysdba");
    QString password = QStringLiteral("tubaplank");
    QString charset = QStringLiteral("WIN1250");
    bool forceEmbedded = false; // open the file in-process even if a server runs
};

// One connection to a database; detached when destroyed.
class Attachment {
public:
    Attachment() = default;
    explicit Attachment(const ConnectionParams& params) { open(params); }
    ~Attachment();
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;

    // Creates a new empty database (WIN1250); when it throws, nothing was made.
    static void createDatabase(const ConnectionParams& params, int pageSize = 8192);

    void open(const ConnectionParams& params);
    void close();
    // Stops the statement running on this connection from another thread (a lock wait
    // included): it fails with "operation was cancelled". Quiet when nothing runs.
    void cancelOperation();
    // Deletes the attached database (on the server, or the file of an embedded one).
    void drop();
    bool isOpen() const { return att_ != nullptr; }
    const QString& databaseName() const { return params_.database; }
    const ConnectionParams& params() const { return params_; }

    // Runs one statement (DDL or DML) in a transaction of its own and commits it.
    void executeImmediate(const QString& sql);

    Firebird::IAttachment* raw() const;

private:
    Firebird::IAttachment* att_ = nullptr;
    ConnectionParams params_;
};

} // namespace db
