#include "Commands.h"

#include "Globals.h"
#include "Rozliczenia.h"
#include "Rozrachunki.h"
#include "Transaction.h"
#include "fdm.h"

#include <QLocale>

namespace cli {

// One contractor's open invoices (everything still owed) with their due dates and days past
// due as of today, and the credit not allocated to any.
int openItems(Args args) {
    const bool json = args.flag(QStringLiteral("json"));
    const db::ConnectionParams params = connectionFromArgs(args);
    const QStringList pos = args.positional();
    if (pos.size() != 1)
        throw UsageError("expected one contractor identifier");
    const int klientId = klientIdZ(pos[0]);

    Tdm data;
    dm = &data;
    data.connect(params);
    requireCurrentSchema(data.conn);
    const QString nazwa = nazwaKlientaZ(data, klientId);
    const Date dzis(QDate::currentDate());
    rozrachunki::StanRozrachunkow st;
    {
        db::Transaction tr(data.conn, db::Isolation::ReadCommitted);
        tr.start();
        st = rozrachunki::CzytajStan(tr, klientId, dzis);
        tr.commit();
    }
    data.closeConnection();
    dm = nullptr;

    if (json) {
        QString t = QStringLiteral("{\"contractor\":%1,\"invoices\":[").arg(klientId);
        bool pierwsza = true;
        for (const rozrachunki::Pozycja& p : st.naleznosci) {
            if (p.pozostalo() <= Money())
                continue;
            if (!pierwsza)
                t += u',';
            pierwsza = false;
            t += QStringLiteral("{\"number\":") + jsonString(p.nazwa()) +
                 QStringLiteral(",\"issued\":\"") + p.data.toIso() +
                 QStringLiteral("\",\"due\":\"") + p.termin.toIso() +
                 QStringLiteral("\",\"amount\":\"") + p.kwota.toFixed2() +
                 QStringLiteral("\",\"paid\":\"") + p.rozliczono.toFixed2() +
                 QStringLiteral("\",\"remaining\":\"") + p.pozostalo().toFixed2() +
                 QStringLiteral("\",\"daysOverdue\":%1}")
                     .arg(rozrachunki::DniPoTerminie(p.termin, dzis));
        }
        t += QStringLiteral("],\"credit\":\"") + st.nierozliczone().toFixed2() +
             QStringLiteral("\"}");
        out(t);
        return ExitOk;
    }
    const QLocale pl;
    out(nazwa);
    out(QStringLiteral("Numer\tWystawiona\tTermin\tKwota\tZapłacono\tPozostało\tDni po terminie"));
    for (const rozrachunki::Pozycja& p : st.naleznosci) {
        if (p.pozostalo() <= Money())
            continue;
        out(QStringList{p.nazwa(), p.data.toIso(), p.termin.toIso(), p.kwota.format(pl),
                        p.rozliczono.format(pl), p.pozostalo().format(pl),
                        QString::number(rozrachunki::DniPoTerminie(p.termin, dzis))}
                .join(u'\t'));
    }
    out(QStringLiteral("Pozostało do zapłaty: ") + st.pozostaloDoZaplaty().format(pl));
    out(QStringLiteral("Nierozliczone wpłaty: ") + st.nierozliczone().format(pl));
    return ExitOk;
}

} // namespace cli
