#include "SzukanieKlienta.h"

#include "Dataset.h"
#include "Statement.h"
#include "Transaction.h"

#include <QSet>

#include <algorithm>

QString NumerDoPorownania(const QString& numer) {
    QString n;
    n.reserve(numer.size());
    for (const QChar c : numer)
        if (c.isLetterOrNumber())
            n += c.toUpper();
    return n;
}

TekstSzukania::TekstSzukania(const QString& tekst) : nazwaUp(tekst.trimmed().toUpper()) {
    QString t = nazwaUp;
    // "PL 526-104-08-28", "DE123456789": the country code says nothing the digits do not.
    if (t.size() > 2 && t[0].isLetter() && t[1].isLetter() && !t[2].isLetter())
        t = t.mid(2);
    QString cyfry;
    for (const QChar c : t) {
        if (c >= u'0' && c <= u'9')
            cyfry += c;
        else if (!c.isSpace() && c != u'-')
            return; // a letter or another mark: a name, not a number
    }
    if (cyfry.size() >= 3)
        numer = cyfry;
}

bool NumerZawiera(const QString& numerPorownania, const TekstSzukania& t) {
    return !t.numer.isEmpty() && numerPorownania.contains(t.numer);
}

namespace {
// The entry of a text of entries joined by line breaks that holds position `pos`.
size_t wpisPod(const std::vector<qsizetype>& poczatki, qsizetype pos) {
    const auto it = std::upper_bound(poczatki.begin(), poczatki.end(), pos);
    return static_cast<size_t>(it - poczatki.begin()) - 1;
}
} // namespace

void KontaKlientow::wczytaj(db::Transaction& tr) {
    konta_.clear();
    wszystkie_.clear();
    poczatki_.clear();
    klientIds_.clear();
    db::Statement st(tr, QStringLiteral("SELECT KLIENTID, NR_KONTO FROM KONTO"));
    db::Cursor c = st.open();
    while (c.next()) {
        const int id = c[0].toInt();
        const QString numer = NumerDoPorownania(c[1].toString());
        konta_[id] << numer;
        poczatki_.push_back(wszystkie_.size());
        klientIds_.push_back(id);
        wszystkie_ += numer;
        wszystkie_ += u'\n';
    }
    c.close();
    wczytane_ = true;
}

bool KontaKlientow::maKonto(int klientId, const TekstSzukania& t) const {
    const auto it = konta_.constFind(klientId);
    if (it == konta_.constEnd())
        return false;
    return std::any_of(it->begin(), it->end(),
                       [&t](const QString& k) { return NumerZawiera(k, t); });
}

std::vector<int> KontaKlientow::klienci(const TekstSzukania& t) const {
    std::vector<int> ids;
    if (t.numer.isEmpty())
        return ids;
    for (qsizetype pos = wszystkie_.indexOf(t.numer); pos >= 0;
         pos = wszystkie_.indexOf(t.numer, pos + 1))
        ids.push_back(klientIds_[wpisPod(poczatki_, pos)]);
    return ids;
}

QString OpisWynikuSzukania(WynikSzukania wynik, const QString& tekst) {
    switch (wynik) {
    case WynikSzukania::Brak:
        return QStringLiteral("Nie znaleziono kontrahenta: „%1”.").arg(tekst.trimmed());
    case WynikSzukania::PoNip:
        return QStringLiteral("Znaleziono po numerze NIP.");
    case WynikSzukania::PoKoncie:
        return QStringLiteral("Znaleziono po numerze rachunku bankowego.");
    default:
        return {};
    }
}

WyszukiwarkaKlientow::WyszukiwarkaKlientow(Dataset& klient, db::Attachment& conn, QObject* parent)
    : QObject(parent), klient_(klient), conn_(conn) {
    // Any new reading of the list (a reopening, a row added, changed or removed) makes the
    // kept names stale, and the accounts with them (an account added marks its contractor).
    const auto nieaktualne = [this] {
        aktualne_ = false;
        konta_.uniewaznij();
    };
    connect(&klient_, &QAbstractItemModel::modelReset, this, nieaktualne);
    connect(&klient_, &QAbstractItemModel::dataChanged, this, nieaktualne);
}

void IndeksNazw::ustaw(const QStringList& nazwy) {
    nazwyUp_.clear();
    poczatki_.assign(static_cast<size_t>(nazwy.size()), 0);
    for (qsizetype i = 0; i < nazwy.size(); ++i) {
        poczatki_[static_cast<size_t>(i)] = nazwyUp_.size();
        nazwyUp_ += nazwy[i].toUpper();
        nazwyUp_ += u'\n';
    }
}

int IndeksNazw::szukaj(const QString& t) const {
    if (t.isEmpty())
        return -1;
    const size_t n = poczatki_.size();
    if (t.size() == 1) {
        for (size_t i = 0; i < n; ++i)
            if (nazwyUp_[poczatki_[i]] == t[0])
                return static_cast<int>(i);
        return -1;
    }
    // A name's own surrounding blanks cannot change whether it contains the text, which has
    // none; a line break never occurs in a box's text, so no match spans two names.
    const qsizetype pos = nazwyUp_.indexOf(t);
    if (pos < 0)
        return -1;
    return static_cast<int>(wpisPod(poczatki_, pos));
}

void WyszukiwarkaKlientow::przygotuj() {
    if (aktualne_ && nazwy_.size() == klient_.recordCount())
        return;
    // QString's own case mapping: for Polish names it is the locale's, and it is many times
    // faster, which matters over a whole register.
    const int n = klient_.recordCount();
    const int nazwa = n > 0 ? klient_.row(0).columns()->indexOf(QStringLiteral("NAZWA")) : -1;
    QStringList nazwy;
    nazwy.reserve(n);
    for (int i = 0; i < n; ++i)
        nazwy << (nazwa >= 0 ? klient_.row(i)[nazwa].toString() : QString());
    nazwy_.ustaw(nazwy);
    nipy_.clear();
    poczatkiNip_.assign(static_cast<size_t>(n), 0);
    const int nip = n > 0 ? klient_.row(0).columns()->indexOf(QStringLiteral("NR_NIP")) : -1;
    for (int i = 0; i < n; ++i) {
        poczatkiNip_[static_cast<size_t>(i)] = nipy_.size();
        if (nip >= 0)
            nipy_ += NumerDoPorownania(klient_.row(i)[nip].toString());
        nipy_ += u'\n';
    }
    aktualne_ = true;
}

int WyszukiwarkaKlientow::wierszNazwy(const TekstSzukania& t) {
    return nazwy_.szukaj(t.nazwaUp);
}

int WyszukiwarkaKlientow::wierszNumeru(const TekstSzukania& t, WynikSzukania& jak) {
    const int n = klient_.recordCount();
    if (t.numer.isEmpty() || n == 0)
        return -1;
    if (const qsizetype pos = nipy_.indexOf(t.numer); pos >= 0) {
        jak = WynikSzukania::PoNip;
        return static_cast<int>(wpisPod(poczatkiNip_, pos));
    }
    const int id = klient_.row(0).columns()->indexOf(QStringLiteral("KLIENTID"));
    if (id < 0)
        return -1;
    if (!konta_.wczytane()) {
        db::Transaction tr(conn_, db::Isolation::ReadCommitted);
        tr.start();
        konta_.wczytaj(tr);
        tr.commit();
    }
    const std::vector<int> ids = konta_.klienci(t);
    if (ids.empty())
        return -1;
    const QSet<int> zKontem(ids.begin(), ids.end());
    for (int i = 0; i < n; ++i)
        if (zKontem.contains(klient_.row(i)[id].toInt())) {
            jak = WynikSzukania::PoKoncie;
            return i;
        }
    return -1;
}

WynikSzukania WyszukiwarkaKlientow::Szukaj(const QString& tekst) {
    if (!klient_.isOpen() || klient_.isEmpty())
        return WynikSzukania::Nic;
    const TekstSzukania t(tekst);
    if (t.pusty())
        return WynikSzukania::Nic;
    przygotuj();
    WynikSzukania jak = WynikSzukania::PoNazwie;
    int wiersz = wierszNazwy(t);
    if (wiersz < 0)
        wiersz = wierszNumeru(t, jak);
    if (wiersz < 0) {
        // Nothing matches: no row stays highlighted as if it had been found.
        klient_.setCurrentIndex(-1);
        return WynikSzukania::Brak;
    }
    klient_.setCurrentIndex(wiersz);
    return jak;
}
