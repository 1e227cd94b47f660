#include "Commands.h"

#include "Globals.h"
#include "Kodowania.h"
#include "KsiegowanieWplat.h"
#include "PropozycjePlatnikow.h"
#include "WczytajWyciag.h"
#include "fdm.h"
#include "fks.h"

#include <QFileInfo>

namespace cli {

// Books a statement file as the payment-import window does, without its question: the
// command itself is the confirmation. Payers from unknown accounts whose names are the names
// of contractors go to those contractors only with --match-names (the window asks); without
// it they are listed. Prints both report panes.
int bookStatement(Args args) {
    const bool wgNazw = args.flag(QStringLiteral("match-names"));
    const TKodowanie kodowanie = kodowanieZNazwy(args.option(QStringLiteral("encoding")));
    const std::optional<TBank> bank = bankZNazwy(args.option(QStringLiteral("bank")));
    const db::ConnectionParams params = connectionFromArgs(args);
    const QStringList pos = args.positional();
    if (pos.size() != 1)
        throw UsageError("expected one statement file");

    const WynikOtwarcia wynik = OtworzPlikWyciagu(pos[0].trimmed(), kodowanie, bank);
    if (!wynik.ok())
        throw Refused(wynik.komunikat());
    // Names full of U+FFFD would be booked as such.
    if (wynik.nieUtf8())
        throw Refused(PodpowiedzKodowania());

    Tdm data;
    dm = &data;
    data.connect(params);
    requireCurrentSchema(data.conn);
    // Checked here to refuse early; the run checks each statement again in its transaction.
    bool wszystkieWczesniej = true;
    bool doKsiegowania = false;
    QStringList obce;
    for (const auto& w : wynik.wyciagi()) {
        if (data.JestWyciag(w->LiniaSaldoPocz(), w->GetKontoWL()))
            continue;
        wszystkieWczesniej = false;
        if (!KsiegowanieWplat::WZlotych(*w)) {
            obce << w->Waluta();
            continue;
        }
        for (int i = w->MinIndex(); i <= w->MaxIndex() && !doKsiegowania; ++i)
            doKsiegowania = KsiegowanieWplat::DoKsiegowania(*w, i);
    }
    if (wszystkieWczesniej)
        throw Refused(QStringLiteral("Dane z tego wyciągu bankowego zostały już wczytane."));
    if (!doKsiegowania)
        throw Refused(obce.isEmpty()
                          ? QStringLiteral("Wyciąg nie zawiera żadnego przelewu z wpłatą.")
                          : KsiegowanieWplat::BrakWplatWZlotych(obce));

    const std::vector<PropozycjaPlatnika> propozycje =
        PropozycjePlatnikow(data.conn, wynik.wyciagi());
    Tks ks(data.conn);
    KsiegowanieWplat run(ks);
    if (wgNazw)
        run.setDecyzje(PrzyjmijWszystkie(propozycje));
    run.UstawPlik(QFileInfo(pos[0].trimmed()).absoluteFilePath());
    RaportWplat raport;
    try {
        raport = run.ksieguj(wynik.wyciagi());
    } catch (const WyciagJuzWczytany&) {
        throw Refused(WyciagJuzWczytany::komunikat());
    }
    for (const QString& line : raport.ogolny)
        out(line);
    if (!raport.nowyKlient.isEmpty()) {
        out(QString());
        out(QStringLiteral("Niezidentyfikowane należności:"));
        for (const QString& line : raport.nowyKlient)
            out(line);
    }
    if (!wgNazw && !propozycje.empty()) {
        out(QString());
        out(QStringLiteral("Płatnicy o nazwach kontrahentów z rejestru, dopisani jako nowi "
                           "(--match-names przypisałoby ich tym kontrahentom):"));
        for (const PropozycjaPlatnika& p : propozycje)
            out(p.platnik + QStringLiteral(" | ") + p.konto + QStringLiteral(" → ") +
                p.nazwaKlienta + QStringLiteral(" (id %1)").arg(p.klientId));
    }
    out(QStringLiteral("Zakończono księgowanie wpłat."));
    data.closeConnection();
    dm = nullptr;
    return ExitOk;
}

} // namespace cli
