#include "OdswiezPoWczytaniu.h"

#include "fdm.h"

#include <optional>

bool OdswiezPoWczytaniu(Tdm& dm, const std::function<bool()>& execute) {
    std::optional<db::Value> klientId;
    if (dm.Klient.isOpen() && dm.Klient.current())
        klientId = dm.Klient.field(QStringLiteral("KLIENTID"));
    if (!execute())
        return false;
    dm.OtworzKlient();
    if (!klientId || !dm.Klient.locate(QStringLiteral("KLIENTID"), *klientId))
        dm.Klient.first();
    return true;
}
