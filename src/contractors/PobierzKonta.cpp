#include "PobierzKonta.h"

#include "Attachment.h"
#include "Statement.h"
#include "StringFun.h"
#include "Transaction.h"
#include "ZapisPodBlokada.h"
#include "uWhiteListFrm.h"

#include <vector>

int ZapiszKonta(db::Attachment& att, const QString& nip, const QStringList& konta) {
    int dodane = 0;
    for (const QString& konto : konta)
        if (DopiszKontoPodBlokada(att, nip, konto))
            ++dodane;
    return dodane;
}

PobraneKonta PobierzKontaWielu(TWhiteListFrm& wl, const QStringList& nipy) {
    PobraneKonta p;
    TWhiteListFrm::WynikWielu w = wl.PobierzNumeryKontWielu(nipy);
    if (w.limit) {
        p.limit = true;
        return p;
    }
    if (w.ok) {
        p.konta = w.konta;
        return p;
    }
    if (wl.StatusHttp == 400 && nipy.size() > 1) {
        for (const QString& nip : nipy) {
            wl.PobierzNumeryKont(nip);
            if (wl.DownloadError && wl.StatusHttp == 429) {
                p.limit = true;
                return p;
            }
            if (wl.DownloadError)
                p.bledy.insert(nip, wl.PowodBledu());
            else
                p.konta.insert(nip, wl.Konta);
        }
        return p;
    }
    const QString powod = wl.PowodBledu();
    for (const QString& nip : nipy)
        p.bledy.insert(nip, powod);
    return p;
}

PobieranieKont::PobieranieKont(db::Attachment& att, TWhiteListFrm& wl, Postep postep,
                               Przerwij przerwij)
    : att_(att), wl_(wl), postep_(std::move(postep)), przerwij_(std::move(przerwij)) {}

namespace {

struct Kandydat {
    int klientId = 0;
    QString nazwa;
    QString nip;          // as stored
    QString doWyszukania; // its ten digits
};

std::vector<Kandydat> kandydaci(db::Attachment& att, bool tylkoBezKont) {
    db::Transaction tr(att, db::Isolation::ReadCommitted);
    tr.start();
    db::Statement s(tr,
                    QStringLiteral("SELECT K.KLIENTID, K.NAZWA, K.NR_NIP FROM KLIENT K "
                                   "WHERE K.NR_NIP IS NOT NULL AND K.NR_NIP <> '' "
                                   "AND (K.KR_NIP IS NULL OR K.KR_NIP = '' OR K.KR_NIP = 'PL') ") +
                        (tylkoBezKont ? QStringLiteral("AND NOT EXISTS (SELECT 1 FROM KONTO T "
                                                       "WHERE T.KLIENTID = K.KLIENTID) ")
                                      : QString()) +
                        QStringLiteral("ORDER BY K.NAZWA, K.KLIENTID"));
    std::vector<Kandydat> out;
    db::Cursor c = s.open();
    while (c.next())
        out.push_back({c[0].toInt(), c[1].toString(), c[2].toString().trimmed(),
                       TylkoCyfry(c[2].toString())});
    c.close();
    tr.commit();
    return out;
}

QString kto(const Kandydat& k) {
    return k.nip + QStringLiteral(" | ") + k.nazwa;
}

} // namespace

WynikPobieraniaKont PobieranieKont::run(bool tylkoBezKont) {
    WynikPobieraniaKont w;
    const std::vector<Kandydat> lista = kandydaci(att_, tylkoBezKont);
    const int count = static_cast<int>(lista.size());
    std::vector<Kandydat> partia;
    int zrobione = 0;
    const auto zapiszPartie = [&]() -> bool {
        if (partia.empty())
            return true;
        QStringList nipy;
        for (const Kandydat& k : partia)
            if (!nipy.contains(k.doWyszukania))
                nipy << k.doWyszukania;
        const PobraneKonta p = PobierzKontaWielu(wl_, nipy);
        if (p.limit) {
            w.limit = true;
            return false;
        }
        for (const Kandydat& k : partia) {
            ++w.kontrahenci;
            if (p.bledy.contains(k.doWyszukania)) {
                ++w.nieudane;
                w.raport << QStringLiteral("[Nie pobrano rachunków: %1] - ")
                                    .arg(p.bledy.value(k.doWyszukania)) +
                                kto(k);
                continue;
            }
            const QStringList konta = p.konta.value(k.doWyszukania);
            if (konta.isEmpty()) {
                ++w.bezKont;
                w.raport << QStringLiteral("[Brak rachunków w wykazie podatników VAT] - ") + kto(k);
                continue;
            }
            int dodane = 0;
            for (const QString& konto : konta) {
                const WynikDopisaniaKonta d = DopiszKontoKlientowi(att_, k.klientId, konto);
                if (d.stan == WynikDopisaniaKonta::Stan::Dodano)
                    ++dodane;
                else if (d.stan == WynikDopisaniaKonta::Stan::JestUKlienta &&
                         d.klientId != k.klientId)
                    w.raport << QStringLiteral("[Rachunek %1 należy już do innego kontrahenta "
                                               "(id %2); nie dodano] - ")
                                        .arg(FormatKonto(konto))
                                        .arg(d.klientId) +
                                    kto(k);
            }
            w.konta += dodane;
            w.raport << QStringLiteral("[Dodano rachunków: %1] - ").arg(dodane) + kto(k);
        }
        zrobione += static_cast<int>(partia.size());
        partia.clear();
        if (postep_)
            postep_(zrobione, count);
        if (przerwij_ && przerwij_()) {
            w.przerwano = true;
            return false;
        }
        return true;
    };
    for (const Kandydat& k : lista) {
        if (k.doWyszukania.size() != 10) {
            w.raport << QStringLiteral("[Pominięto: NIP nie ma 10 cyfr] - ") + kto(k);
            ++zrobione;
            continue;
        }
        partia.push_back(k);
        if (static_cast<int>(partia.size()) >= TWhiteListFrm::MaksNipowWZapytaniu &&
            !zapiszPartie())
            break;
    }
    if (!w.limit && !w.przerwano)
        zapiszPartie();
    if (postep_ && !w.limit && !w.przerwano)
        postep_(count, count);
    w.raport << PodsumowaniePobierania(w);
    return w;
}

QString PodsumowaniePobierania(const WynikPobieraniaKont& w) {
    QString s = QStringLiteral("Sprawdzono kontrahentów: %1; dodano rachunków: %2; bez rachunków "
                               "w wykazie: %3; nie udało się pobrać: %4.")
                    .arg(w.kontrahenci)
                    .arg(w.konta)
                    .arg(w.bezKont)
                    .arg(w.nieudane);
    if (w.limit)
        s += QStringLiteral(" Wyczerpano dzienny limit zapytań; pozostałych nie sprawdzono.");
    if (w.przerwano)
        s += QStringLiteral(" Przerwano; pozostałych nie sprawdzono.");
    return s;
}
