#include "Transaction.h"

#include "Attachment.h"
#include "Client.h"
#include "Error.h"

#include <memory>

namespace db {
using namespace Firebird;
using detail::call;

Transaction::~Transaction() {
    if (!tr_)
        return;
    try {
        rollback();
    } catch (const Error&) {
        // the connection is gone; the server ends the transaction with it
    }
}

void Transaction::start() {
    if (tr_)
        throw Error(QStringLiteral("Transakcja jest już aktywna"));
    tr_ = call([&](ThrowStatusWrapper* st) {
        IXpbBuilder* tpb = detail::util()->getXpbBuilder(st, IXpbBuilder::TPB, nullptr, 0);
        std::unique_ptr<IXpbBuilder, void (*)(IXpbBuilder*)> guard(
            tpb, [](IXpbBuilder* b) { b->dispose(); });
        tpb->insertTag(st, isc_tpb_write);
        tpb->insertTag(st, isc_tpb_wait);
        if (lockTimeout_ > 0)
            tpb->insertInt(st, isc_tpb_lock_timeout, lockTimeout_);
        switch (isolation_) {
        case Isolation::Snapshot:
            tpb->insertTag(st, isc_tpb_concurrency);
            break;
        case Isolation::ReadCommitted:
            tpb->insertTag(st, isc_tpb_read_committed);
            tpb->insertTag(st, isc_tpb_rec_version);
            break;
        case Isolation::ReadCommittedNoRecVersion:
            tpb->insertTag(st, isc_tpb_read_committed);
            tpb->insertTag(st, isc_tpb_no_rec_version);
            break;
        }
        return att_.raw()->startTransaction(st, tpb->getBufferLength(st), tpb->getBuffer(st));
    });
}

void Transaction::commit() {
    call([&](ThrowStatusWrapper* st) { raw()->commit(st); });
    tr_ = nullptr; // commit released the interface
}

void Transaction::commitRetaining() {
    call([&](ThrowStatusWrapper* st) { raw()->commitRetaining(st); });
}

void Transaction::rollback() {
    ITransaction* t = raw();
    try {
        call([&](ThrowStatusWrapper* st) { t->rollback(st); });
    } catch (const Error&) {
        t->release();
        tr_ = nullptr;
        throw;
    }
    tr_ = nullptr;
}

void Transaction::rollbackQuietly() noexcept {
    if (!active())
        return;
    try {
        rollback();
    } catch (...) {
    }
}

void Transaction::restart() {
    if (tr_)
        commit();
    start();
}

ITransaction* Transaction::raw() const {
    if (!tr_)
        throw Error(QStringLiteral("Transakcja nie jest aktywna"));
    return tr_;
}

} // namespace db
