#include "Attachment.h"

#include "Client.h"
#include "Error.h"
#include "Transaction.h"
#include "Win1250.h"

#include <memory>

namespace db {
using namespace Firebird;
using detail::call;

namespace {
struct XpbDeleter {
    void operator()(IXpbBuilder* b) const { b->dispose(); }
};
using Xpb = std::unique_ptr<IXpbBuilder, XpbDeleter>;

Xpb makeDpb(const ConnectionParams& p, ThrowStatusWrapper* st) {
    Xpb dpb(detail::util()->getXpbBuilder(st, IXpbBuilder::DPB, nullptr, 0));
    dpb->insertString(st, isc_dpb_user_name, p.user.toUtf8().constData());
    dpb->insertString(st, isc_dpb_password, p.password.toUtf8().constData());
    dpb->insertString(st, isc_dpb_lc_ctype, p.charset.toUtf8().constData());
    if (p.forceEmbedded)
        dpb->insertString(st, isc_dpb_config, "Providers=Engine12");
    return dpb;
}
} // namespace

Attachment::~Attachment() {
    try {
        close();
    } catch (const Error&) {
        // detaching an already broken connection: nothing left to release
    }
}

void Attachment::open(const ConnectionParams& params) {
    close();
    params_ = params;
    const QByteArray name = params.database.toLocal8Bit();
    try {
        att_ = call([&](ThrowStatusWrapper* st) {
            Xpb dpb = makeDpb(params, st);
            return detail::provider()->attachDatabase(st, name.constData(),
                                                      dpb->getBufferLength(st), dpb->getBuffer(st));
        });
    } catch (const Error& e) {
        if (!e.isOpenedElsewhere())
            throw;
        // The embedded engine gives a file to one process at a time; say so plainly.
        throw Error(
            QStringLiteral(
                "Baza danych %1 jest otwarta przez inny program na tym komputerze (Brevant "
                "albo brevant-cli).\rBez serwera Firebird z plikiem bazy może pracować tylko "
                "jeden program naraz.\rZamknij tamten program i spróbuj ponownie. Aby kilka "
                "programów lub stanowisk pracowało naraz, udostępnij bazę przez serwer "
                "Firebird (README, rozdział \"Kilka stanowisk\").")
                .arg(params.database),
            e.codes());
    }
}

void Attachment::close() {
    if (!att_)
        return;
    IAttachment* a = att_;
    att_ = nullptr;
    try {
        // A cancel request that found nothing running stays pending and would keep the
        // detach itself from finishing.
        call([&](ThrowStatusWrapper* st) { a->cancelOperation(st, fb_cancel_disable); });
    } catch (const Error&) {
    }
    try {
        call([&](ThrowStatusWrapper* st) { a->detach(st); });
    } catch (const Error&) {
        a->release();
        throw;
    }
}

void Attachment::cancelOperation() {
    IAttachment* a = att_;
    if (!a)
        return;
    try {
        call([&](ThrowStatusWrapper* st) { a->cancelOperation(st, fb_cancel_raise); });
    } catch (const Error&) {
        // nothing was running
    }
}

void Attachment::drop() {
    IAttachment* a = raw();
    call([&](ThrowStatusWrapper* st) { a->dropDatabase(st); });
    att_ = nullptr; // dropping released the interface
}

void Attachment::createDatabase(const ConnectionParams& params, int pageSize) {
    const QByteArray name = params.database.toLocal8Bit();
    IAttachment* a = call([&](ThrowStatusWrapper* st) {
        Xpb dpb = makeDpb(params, st);
        dpb->insertInt(st, isc_dpb_page_size, pageSize);
        dpb->insertString(st, isc_dpb_set_db_charset, "WIN1250");
        dpb->insertInt(st, isc_dpb_sql_dialect, 3);
        return detail::provider()->createDatabase(st, name.constData(), dpb->getBufferLength(st),
                                                  dpb->getBuffer(st));
    });
    call([&](ThrowStatusWrapper* st) { a->detach(st); });
}

void Attachment::executeImmediate(const QString& sql) {
    Transaction tr(*this);
    tr.start();
    const QByteArray text = win1250::encode(sql);
    call([&](ThrowStatusWrapper* st) {
        att_->execute(st, tr.raw(), static_cast<unsigned>(text.size()), text.constData(), 3,
                      nullptr, nullptr, nullptr, nullptr);
    });
    tr.commit();
}

IAttachment* Attachment::raw() const {
    if (!att_)
        throw Error(QStringLiteral("Brak połączenia z bazą danych"));
    return att_;
}

} // namespace db
