#include "PobierzKonta.h"

#include "ZapisPodBlokada.h"

int ZapiszKonta(db::Attachment& att, const QString& nip, const QStringList& konta) {
    int dodane = 0;
    for (const QString& konto : konta)
        if (DopiszKontoPodBlokada(att, nip, konto))
            ++dodane;
    return dodane;
}
