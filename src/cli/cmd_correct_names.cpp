#include "Commands.h"

#include "Attachment.h"
#include "JpkWejscie.h"
#include "PoprawaNazw.h"
#include "fks.h"

namespace cli {

// Gives the contractors whose register name differs from their invoices' the invoices' names
// and addresses, as the correction window does when its list is applied. Prints the list.
int correctNames(Args args) {
    const db::ConnectionParams params = connectionFromArgs(args);
    const JpkDocument doc = otworzJpk(args);
    db::Attachment att(params);
    requireCurrentSchema(att);
    Tks ks(att);
    ks.start();
    PoprawaNazw poprawa(ks);
    std::vector<PoprawaNazwyWiersz> lista;
    try {
        poprawa.Wczytaj(doc, [&lista](const PoprawaNazwyWiersz& w) { lista.push_back(w); });
    } catch (const JpkRefused& e) {
        ks.rollback();
        throw Refused(e.message());
    } catch (...) {
        ks.rollback();
        throw;
    }
    if (lista.empty()) {
        ks.rollback();
        err(QStringLiteral("Brak pozycji do modyfikacji.\rWszyscy kontrahenci mają nazwy\r"
                           "takie same jak w pliku faktur."));
        return ExitOk;
    }
    for (const PoprawaNazwyWiersz& w : lista)
        out(QStringList{w.NIP, w.NazwaTb, w.AdresTb, w.NazwaFk, w.AdresFk}.join(u'\t'));
    int zmiany = 0;
    try {
        zmiany = poprawa.Aktualizuj(lista);
        ks.commit();
    } catch (...) {
        ks.rollback();
        throw;
    }
    out(QStringLiteral("Zmieniono kontrahentów: %1.").arg(zmiany));
    out(QStringLiteral("Zakończono aktualizację nazw kontrahentów."));
    return ExitOk;
}

} // namespace cli
