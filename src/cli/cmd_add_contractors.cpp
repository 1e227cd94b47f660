#include "Commands.h"

#include "JpkWejscie.h"
#include "PobierzKonta.h"
#include "WczytajKlienci.h"
#include "fdm.h"
#include "uWhiteListFrm.h"

#include <stdexcept>

namespace cli {

// Adds the buyers of a JPK_FA file that the register lacks, as the window's "Dopisz do
// wykazu" does; --fetch-accounts also fetches their accounts from the VAT white list. Buyers
// that cannot be added are named on standard error and passed over. Contractors whose accounts
// could not be fetched are added without them, named with the reason, and the command exits 1
// (their accounts can be fetched later with fetch-accounts --missing).
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
            [&lista](const NowyKlient& k) { lista.push_back(k); },
            [](const QString& line) { err(line); });
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
    for (const QString& line : w.raport)
        out(line);
    if (w.limit)
        throw std::runtime_error(KomunikatLimitu(w.dodani).replace(u'\r', u'\n').toStdString());
    if (w.nieudane > 0) {
        err(QStringLiteral("Nie udało się pobrać numerów rachunków z białej listy dla %1 "
                           "kontrahentów; dopisano ich bez rachunków.\rPobierz je później: "
                           "brevant-cli fetch-accounts --missing")
                .arg(w.nieudane));
        return ExitError;
    }
    out(QStringLiteral("Zakończono dopisywanie kontrahentów."));
    return ExitOk;
}

// Fetches accounts from the VAT white list for contractors of the register: with --missing
// those without any account, else every contractor with a Polish tax number. Exits 1 when
// the searches failed for some (named with the reason) or the day's limit ended the run.
int fetchAccounts(Args args) {
    const bool missing = args.flag(QStringLiteral("missing"));
    TWhiteListFrm wl;
    ustawBialaListe(args, wl);
    const db::ConnectionParams params = connectionFromArgs(args);
    if (!args.positional().isEmpty())
        throw UsageError("fetch-accounts takes no file");
    Tdm data;
    data.connect(params);
    requireCurrentSchema(data.conn);
    PobieranieKont run(data.conn, wl);
    const WynikPobieraniaKont w = run.run(missing);
    for (const QString& line : w.raport)
        out(line);
    if (w.limit) {
        err(QStringLiteral("Wyczerpano dzienny limit zapytań do wykazu podatników VAT (białej "
                           "listy); pozostałych kontrahentów nie sprawdzono."));
        return ExitError;
    }
    if (w.nieudane > 0) {
        err(QStringLiteral("Nie udało się pobrać numerów rachunków dla %1 kontrahentów.")
                .arg(w.nieudane));
        return ExitError;
    }
    return ExitOk;
}

} // namespace cli
