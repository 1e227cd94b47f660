#include "Commands.h"

#include "JpkWejscie.h"
#include "WczytajKlienci.h"
#include "fdm.h"
#include "uWhiteListFrm.h"

#include <stdexcept>

namespace cli {

// Adds the buyers of a JPK_FA file that the register lacks, as the window's "Dopisz do
// wykazu" does; --fetch-accounts also fetches their accounts from the VAT white list.
int addContractors(Args args) {
    const bool fetch = args.flag(QStringLiteral("fetch-accounts"));
    TWhiteListFrm wl;
    ustawBialaListe(args, wl);
    const db::ConnectionParams params = connectionFromArgs(args);
    const JpkDocument doc = otworzJpk(args);

    Tdm data;
    data.connect(params);
    requireCurrentSchema(data.conn);
    std::vector<NowyKlient> lista;
    try {
        ListaNowychKlientow(
            doc, [&data](const QString& nip) { return data.jestKlient(nip); },
            [&lista](const NowyKlient& k) { lista.push_back(k); });
    } catch (const JpkRefused& e) {
        throw Refused(e.message());
    }
    if (lista.empty()) {
        err(QStringLiteral("Brak pozycji do wczytania.\rWszyscy kontrahenci znajdujący się "
                           "\rw pliku JPK są już w wykazie."));
        return ExitOk;
    }
    for (const NowyKlient& k : lista)
        out(QStringList{k.NIP, k.Nazwa, k.Adres}.join(u'\t'));

    DopisywanieKlientow run(data.conn, fetch ? &wl : nullptr);
    const WynikDopisywania w = run.run(lista);
    out(QStringLiteral("Dopisano kontrahentów: %1, rachunków bankowych: %2.")
            .arg(w.dodani)
            .arg(w.konta));
    if (w.limit)
        throw std::runtime_error(KomunikatLimitu(w.dodani).replace(u'\r', u'\n').toStdString());
    out(QStringLiteral("Zakończono dopisywanie kontrahentów."));
    return ExitOk;
}

} // namespace cli
