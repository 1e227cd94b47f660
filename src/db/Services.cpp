#include "Services.h"

#include "Client.h"
#include "Error.h"

#include <array>
#include <memory>

namespace db {
using namespace Firebird;
using detail::call;

std::optional<ServerPath> splitServerPath(const QString& database) {
    const qsizetype colon = database.indexOf(u':');
    // "C:\..." is a drive letter, not a one-letter host.
    if (colon <= 1)
        return std::nullopt;
    const QString server = database.left(colon);
    // A path that merely holds a colon ("/data/a:b.fdb") names no server.
    if (server.startsWith(u'/') || server.contains(u'\\'))
        return std::nullopt;
    return ServerPath{server, database.mid(colon + 1)};
}

namespace {
struct XpbDeleter {
    void operator()(IXpbBuilder* b) const { b->dispose(); }
};
using Xpb = std::unique_ptr<IXpbBuilder, XpbDeleter>;
} // namespace

void backupThroughServer(const ConnectionParams& params, const QString& backupPath) {
    const auto sp = splitServerPath(params.database);
    if (!sp)
        throw Error(
            QStringLiteral("Kopia przez serwer wymaga nazwy bazy w postaci serwer:ścieżka"));
    const QByteArray service = (sp->server + QStringLiteral(":service_mgr")).toLocal8Bit();
    IService* svc = call([&](ThrowStatusWrapper* st) {
        Xpb spb(detail::util()->getXpbBuilder(st, IXpbBuilder::SPB_ATTACH, nullptr, 0));
        spb->insertString(st, isc_spb_user_name, params.user.toUtf8().constData());
        spb->insertString(st, isc_spb_password, params.password.toUtf8().constData());
        return detail::provider()->attachServiceManager(
            st, service.constData(), spb->getBufferLength(st), spb->getBuffer(st));
    });
    std::unique_ptr<IService, void (*)(IService*)> guard(svc, [](IService* s) {
        try {
            call([&](ThrowStatusWrapper* st) { s->detach(st); });
        } catch (const Error&) {
            s->release();
        }
    });
    call([&](ThrowStatusWrapper* st) {
        Xpb spb(detail::util()->getXpbBuilder(st, IXpbBuilder::SPB_START, nullptr, 0));
        spb->insertTag(st, isc_action_svc_backup);
        spb->insertString(st, isc_spb_dbname, sp->path.toLocal8Bit().constData());
        spb->insertString(st, isc_spb_bkp_file, backupPath.toLocal8Bit().constData());
        spb->insertTag(st, isc_spb_verbose);
        svc->start(st, spb->getBufferLength(st), spb->getBuffer(st));
    });
    // Read the service's output until it ends; a failed backup raises from the query.
    const unsigned char items[] = {isc_info_svc_line};
    std::array<unsigned char, 16384> buf{};
    for (;;) {
        call([&](ThrowStatusWrapper* st) {
            svc->query(st, 0, nullptr, sizeof(items), items, static_cast<unsigned>(buf.size()),
                       buf.data());
        });
        if (buf[0] != isc_info_svc_line)
            break;
        const unsigned len = static_cast<unsigned>(buf[1]) | (static_cast<unsigned>(buf[2]) << 8);
        if (len == 0)
            break;
    }
}

} // namespace db
