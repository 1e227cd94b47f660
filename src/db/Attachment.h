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

    // Creates a new database file (WIN1250, Polish collation) and stays attached to it.
    static void createDatabase(const ConnectionParams& params, int pageSize = 8192);

    void open(const ConnectionParams& params);
    void close();
    bool isOpen() const { return att_ != nullptr; }
    const QString& databaseName() const { return params_.database; }

    // Runs one statement (DDL or DML) in a transaction of its own and commits it.
    void executeImmediate(const QString& sql);

    Firebird::IAttachment* raw() const;

private:
    Firebird::IAttachment* att_ = nullptr;
    ConnectionParams params_;
};

} // namespace db
