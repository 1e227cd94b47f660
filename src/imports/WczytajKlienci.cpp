#include "WczytajKlienci.h"

#include "Error.h"
#include "JpkReader.h"
#include "PobierzKonta.h"
#include "StringFun.h"
#include "ZapisPodBlokada.h"
#include "uWhiteListFrm.h"

#include "Attachment.h"
#include "Statement.h"
#include "Transaction.h"

#include <QSet>

void ListaNowychKlientow(const JpkDocument& doc,
                         const std::function<bool(const QString&)>& jestKlient,
                         const std::function<void(const NowyKlient&)>& sink,
                         const std::function<void(const QString&)>& pominiety) {
    const QString kod = doc.KodFormularza();
    if (kod == u"JPK_VAT")
        throw JpkRefused(JpkOdmowa(kod));
    const auto pomin = [&](const QString& line) {
        if (pominiety)
            pominiety(line);
    };
    QSet<QString> listowane; // JestNIP: the list's numbers, as listed
    QSet<QString> znane;     // numbers found in the register already, or passed over
    JpkCursor cursor(doc);
    int n = 0;
    while (cursor.next()) {
        if (cursor.localName() != u"Faktura")
            continue;
        ++n;
        const JpkElement f = cursor.read();
        QString nip, nazwa, adres, krNip;
        try {
            nip = f.childText(u"P_5B");
            if (listowane.contains(nip) || znane.contains(nip))
                continue;
            nazwa = f.childText(u"P_3A");
            adres = f.childText(u"P_3B");
            krNip = f.childText(u"P_5A");
        } catch (const JpkContentError& e) {
            pomin(QStringLiteral("[Pominięto fakturę %1 w pliku (wiersz %2)] - %3")
                      .arg(n)
                      .arg(f.line)
                      .arg(QString::fromUtf8(e.what())));
            continue;
        }
        // Such a buyer cannot be stored: said once, never guessed at by cutting the number.
        if (nip.trimmed().size() > NIP_MAX_LEN || krNip.trimmed().size() > 2) {
            znane.insert(nip);
            pomin(
                (nip.trimmed().size() > NIP_MAX_LEN
                     ? QStringLiteral("[Pominięto: NIP dłuższy niż %1 znaków] - ").arg(NIP_MAX_LEN)
                     : QStringLiteral("[Pominięto: kod kraju dłuższy niż 2 znaki] - ")) +
                krNip + u' ' + nip + QStringLiteral(" | ") + nazwa);
            continue;
        }
        if (jestKlient(nip)) {
            znane.insert(nip);
            continue;
        }
        NowyKlient k{nip.left(20), KorygNazwa(nazwa), KorygAdres(adres), krNip.trimmed()};
        listowane.insert(nip);
        listowane.insert(k.NIP);
        sink(k);
    }
}

QString KomunikatLimitu(int dodani) {
    return QStringLiteral("Wyczerpano dzienny limit zapytań do wykazu podatników VAT "
                          "(białej listy).\rDopisano kontrahentów: %1.\rPozostałych kontrahentów "
                          "z pliku można dopisać\rz numerami rachunków po odnowieniu limitu.")
        .arg(dodani);
}

QString KomunikatNieudanych(int nieudane) {
    return QStringLiteral("Nie udało się pobrać numerów rachunków z białej listy dla %1 "
                          "kontrahentów (powody w raporcie).\rDopisano ich bez rachunków; "
                          "pobierz je później przyciskiem „Pobierz brakujące rachunki”.")
        .arg(nieudane);
}

QString PodsumowanieDopisywania(const WynikDopisywania& w) {
    return QStringLiteral("Dopisano kontrahentów: %1, rachunków bankowych: %2; bez rachunków w "
                          "wykazie: %3; nie udało się pobrać rachunków: %4.")
        .arg(w.dodani)
        .arg(w.konta)
        .arg(w.bezKont)
        .arg(w.nieudane);
}

DopisywanieKlientow::DopisywanieKlientow(db::Attachment& att, TWhiteListFrm* whiteList,
                                         Postep postep, Przerwij przerwij)
    : att_(att), whiteList_(whiteList), postep_(std::move(postep)), przerwij_(std::move(przerwij)) {
}

bool DopisywanieKlientow::jestKlient(const QString& nip) {
    db::Transaction tr(att_, db::Isolation::ReadCommitted);
    tr.start();
    db::Statement s(tr, QStringLiteral("SELECT 1 FROM KLIENT WHERE NR_NIP = ? ROWS 1"));
    s.bindAll({nip});
    db::Row r;
    const bool found = s.fetchOne(r);
    tr.commit();
    return found;
}

bool DopisywanieKlientow::dopisz(const Kandydat& k, const PobraneKonta* pobrane,
                                 WynikDopisywania& w) {
    const QString kto = k.nip + QStringLiteral(" | ") + k.nazwa;
    if (DopiszKlientaPodBlokada(att_, k.krNip, k.nip, k.nazwa, k.adres) == 0)
        return false; // added meanwhile, by this run or another workstation
    ++w.dodani;
    for (const QString& z : {KomZnakiSpozaBazy(QStringLiteral("nazwa kontrahenta"), k.nazwa),
                             KomZnakiSpozaBazy(QStringLiteral("adres kontrahenta"), k.adres)})
        if (!z.isEmpty())
            w.raport << z;
    if (!pobrane) {
        w.raport << QStringLiteral("[Dopisano] - ") + kto;
        return true;
    }
    if (pobrane->bledy.contains(k.nip)) {
        ++w.nieudane;
        w.raport << QStringLiteral("[Dopisano bez rachunków: nie pobrano z białej listy: %1] - ")
                            .arg(pobrane->bledy.value(k.nip)) +
                        kto;
        return true;
    }
    const QStringList konta = pobrane->konta.value(k.nip);
    if (konta.isEmpty()) {
        ++w.bezKont;
        w.raport << QStringLiteral("[Dopisano bez rachunków: brak w wykazie podatników VAT] - ") +
                        kto;
        return true;
    }
    const int dodane = ZapiszKonta(att_, k.nip, konta);
    w.konta += dodane;
    w.raport << QStringLiteral("[Dopisano z rachunkami: %1] - ").arg(dodane) + kto;
    return true;
}

WynikDopisywania DopisywanieKlientow::run(const std::vector<NowyKlient>& lista) {
    WynikDopisywania w;
    const auto koniec = [&w] {
        w.raport << PodsumowanieDopisywania(w);
        return w;
    };
    const int count = static_cast<int>(lista.size());
    if (!lista.empty())
        w.ostatniNip = lista.back().NIP.trimmed();
    const auto stop = [this] { return przerwij_ && przerwij_(); };

    // The rows waiting for one search, with their positions in the list.
    std::vector<std::pair<int, Kandydat>> partia;
    const auto dopiszPartie = [&]() -> bool {
        if (partia.empty())
            return true;
        QStringList nipy;
        for (const auto& [pos, k] : partia)
            if (!nipy.contains(k.nip))
                nipy << k.nip;
        const PobraneKonta pobrane = PobierzKontaWielu(*whiteList_, nipy);
        if (pobrane.limit) {
            w.limit = true;
            partia.clear();
            return false;
        }
        for (const auto& [pos, k] : partia) {
            dopisz(k, &pobrane, w);
            if (postep_)
                postep_(pos + 1, count);
            if (stop()) {
                w.przerwano = true;
                partia.clear();
                return false;
            }
        }
        partia.clear();
        return true;
    };

    for (int i = 0; i < count; ++i) {
        const NowyKlient& row = lista[static_cast<size_t>(i)];
        Kandydat k{row.KrNip.trimmed(), row.NIP.trimmed(), KorygNazwa(row.Nazwa),
                   KorygAdres(row.Adres)};
        // A number the register cannot hold is never cut to fit: the row is named and passed.
        if (k.nip.size() > NIP_MAX_LEN || k.krNip.size() > 2) {
            w.raport << QStringLiteral(
                            "[Pominięto: NIP lub kod kraju dłuższy niż rejestr mieści] - ") +
                            k.krNip + u' ' + k.nip + QStringLiteral(" | ") + k.nazwa;
            if (postep_ && partia.empty())
                postep_(i + 1, count);
            continue;
        }
        const bool pomin = k.nip.isEmpty() || jestKlient(k.nip);
        if (!whiteList_) {
            if (!pomin)
                dopisz(k, nullptr, w);
            if (postep_)
                postep_(i + 1, count);
            if (!pomin && stop()) {
                w.przerwano = true;
                return koniec();
            }
            continue;
        }
        if (!pomin)
            partia.emplace_back(i, k);
        else if (postep_ && partia.empty())
            postep_(i + 1, count);
        if (static_cast<int>(partia.size()) >= TWhiteListFrm::MaksNipowWZapytaniu &&
            !dopiszPartie())
            return koniec();
    }
    if (!dopiszPartie())
        return koniec();
    if (postep_)
        postep_(count, count);
    return koniec();
}
