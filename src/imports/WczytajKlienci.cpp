#include "WczytajKlienci.h"

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
                         const std::function<void(const NowyKlient&)>& sink) {
    const QString kod = doc.KodFormularza();
    if (kod == u"JPK_VAT")
        throw JpkRefused(JpkOdmowa(kod));
    QSet<QString> listowane; // JestNIP: the list's numbers, as listed
    QSet<QString> znane;     // numbers found in the register already
    JpkCursor cursor(doc);
    while (cursor.next()) {
        if (cursor.localName() != u"Faktura")
            continue;
        const JpkElement f = cursor.read();
        const QString nip = f.childText(u"P_5B");
        if (listowane.contains(nip) || znane.contains(nip))
            continue;
        const QString nazwa = f.childText(u"P_3A");
        const QString adres = f.childText(u"P_3B");
        const QString krNip = f.childText(u"P_5A");
        if (jestKlient(nip)) {
            znane.insert(nip);
            continue;
        }
        NowyKlient k{nip.left(20), KorygNazwa(nazwa), KorygAdres(adres), krNip.left(2)};
        // The list compares its own (cut) numbers; a longer number is found by its first 20.
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

bool DopisywanieKlientow::pobierz(const QStringList& nipy, QHash<QString, QStringList>& konta) {
    konta.clear();
    TWhiteListFrm::WynikWielu w = whiteList_->PobierzNumeryKontWielu(nipy);
    if (w.limit)
        return false;
    if (w.ok) {
        konta = w.konta;
        return true;
    }
    // The service refuses a whole search for one number it does not accept: ask for the
    // numbers one by one, so that the others still get their accounts.
    if (whiteList_->StatusHttp == 400 && nipy.size() > 1) {
        for (const QString& nip : nipy) {
            whiteList_->PobierzNumeryKont(nip);
            if (whiteList_->DownloadError && whiteList_->StatusHttp == 429)
                return false;
            if (!whiteList_->DownloadError)
                konta[nip] = whiteList_->Konta;
        }
    }
    return true;
}

bool DopisywanieKlientow::dopisz(const Kandydat& k, const QStringList& konta, WynikDopisywania& w) {
    if (DopiszKlientaPodBlokada(att_, k.krNip, k.nip, k.nazwa, k.adres) == 0)
        return false; // added meanwhile, by this run or another workstation
    ++w.dodani;
    w.konta += ZapiszKonta(att_, k.nip, konta);
    return true;
}

WynikDopisywania DopisywanieKlientow::run(const std::vector<NowyKlient>& lista) {
    WynikDopisywania w;
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
        QHash<QString, QStringList> konta;
        if (!pobierz(nipy, konta)) {
            w.limit = true;
            partia.clear();
            return false;
        }
        for (const auto& [pos, k] : partia) {
            dopisz(k, konta.value(k.nip), w);
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
        const bool pomin = k.nip.isEmpty() || jestKlient(k.nip);
        if (!whiteList_) {
            if (!pomin)
                dopisz(k, {}, w);
            if (postep_)
                postep_(i + 1, count);
            if (!pomin && stop()) {
                w.przerwano = true;
                return w;
            }
            continue;
        }
        if (!pomin)
            partia.emplace_back(i, k);
        else if (postep_ && partia.empty())
            postep_(i + 1, count);
        if (static_cast<int>(partia.size()) >= TWhiteListFrm::MaksNipowWZapytaniu &&
            !dopiszPartie())
            return w;
    }
    if (!dopiszPartie())
        return w;
    if (postep_)
        postep_(count, count);
    return w;
}
