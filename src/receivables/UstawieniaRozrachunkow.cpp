#include "UstawieniaRozrachunkow.h"

#include "Statement.h"
#include "Transaction.h"

#include <algorithm>

namespace rozrachunki {

Ustawienia CzytajUstawienia(db::Transaction& tr) {
    Ustawienia u;
    db::Statement s(tr, QStringLiteral("SELECT TERMIN_DNI, NAJSTARSZE FROM "
                                       "USTAWIENIA_ROZRACHUNKOW WHERE ID = 1"));
    db::Row r;
    if (s.fetchOne(r)) {
        u.terminDni = r[0].toInt();
        u.najstarszeNajpierw = r[1].toString() != u"N";
    }
    return u;
}

void ZapiszUstawienia(db::Attachment& conn, const Ustawienia& u) {
    db::Transaction tr(conn, db::Isolation::ReadCommittedNoRecVersion);
    tr.start();
    db::Statement s(tr, QStringLiteral("UPDATE OR INSERT INTO USTAWIENIA_ROZRACHUNKOW "
                                       "(ID, TERMIN_DNI, NAJSTARSZE) VALUES (1, ?, ?) "
                                       "MATCHING (ID)"));
    s.bindAll({std::clamp(u.terminDni, 0, MaxTerminDni),
               u.najstarszeNajpierw ? QStringLiteral("T") : QStringLiteral("N")});
    s.execute();
    tr.commit();
}

} // namespace rozrachunki
