#pragma once

namespace Firebird {
class ITransaction;
}

namespace db {

class Attachment;

enum class Isolation {
    Snapshot,                 // the server's default: a stable view, waits on locks
    ReadCommitted,            // sees every commit; reads the last committed version
    ReadCommittedNoRecVersion // waits for a concurrent writer to finish instead of conflicting
};

// A transaction on an attachment. Started explicitly; rolled back if still active at destruction.
class Transaction {
public:
    explicit Transaction(Attachment& att, Isolation isolation = Isolation::Snapshot)
        : att_(att), isolation_(isolation) {}
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void start();
    void commit();
    void commitRetaining();
    void rollback();
    // Rolls back when active and swallows an error: on a path that is already failing, where a
    // broken connection means the server rolls back by itself.
    void rollbackQuietly() noexcept;
    bool active() const { return tr_ != nullptr; }
    // Commit if active, then start: the fresh view every reopening of a list begins with.
    void restart();

    Attachment& attachment() const { return att_; }
    Isolation isolation() const { return isolation_; }
    // How long a statement waits for a row another transaction holds before it gives up
    // with a lock time-out; 0 waits until that transaction ends. Takes effect at start().
    void setLockTimeout(int seconds) { lockTimeout_ = seconds; }
    int lockTimeout() const { return lockTimeout_; }
    Firebird::ITransaction* raw() const; // throws when not active

private:
    Attachment& att_;
    Isolation isolation_;
    int lockTimeout_ = 0;
    Firebird::ITransaction* tr_ = nullptr;
};

} // namespace db
