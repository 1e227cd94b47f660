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
    PoprawaNazw poprawa(ks);
    std::vector<PoprawaNazwyWiersz> lista;
    QStringList pominiete;
    try {
        poprawa.Wczytaj(
            doc, [&lista](const PoprawaNazwyWiersz& w) { lista.push_back(w); },
            [&pominiete](const QString& line) { pominiete << line; });
    } catch (const JpkRefused& e) {
        throw Refused(e.message());
    }
    for (const QString& line : pominiete)
        err(line);
    if (lista.empty()) {
        err(QStringLiteral("Brak pozycji do modyfikacji.\rWszyscy kontrahenci mają nazwy\r"
                           "takie same jak w pliku faktur."));
        return ExitOk;
    }
    for (const PoprawaNazwyWiersz& w : lista)
        out(QStringList{w.NIP, w.NazwaTb, w.AdresTb, w.NazwaFk, w.AdresFk}.join(u'\t'));
    // Under the booking lock, each row checked again; a lock kept elsewhere past the limit
    // ends the command with exit 2.
    const WynikPoprawy wynik = poprawa.Aktualizuj(lista);
    for (const QString& line : wynik.raport)
        out(line);
    out(QStringLiteral("Zakończono aktualizację nazw kontrahentów."));
    return ExitOk;
}

} // namespace cli
