#include "ListaWyboru.h"

#include "Attachment.h"
#include "Error.h"

namespace {
const QString NazwaUp = QStringLiteral("NAZWA_UP");
const QString NipPor = QStringLiteral("NIP_POR"); // the tax number as numbers are compared
} // namespace

QString NormujFiltr(const QString& tekst) {
    return tekst.trimmed().toUpper();
}

bool NazwaPasuje(const QString& nazwaUp, const QString& filtr) {
    return filtr.isEmpty() || nazwaUp.contains(filtr);
}

TListaWyboru::TListaWyboru(db::Attachment& conn, const QString& sql, bool bezWyboru)
    : tr_(conn), lista_(tr_, sql), bezWyboru_(bezWyboru) {
    lista_.addCalcField(NazwaUp, [](const db::Row& r) {
        return db::Value(r[QStringLiteral("NAZWA")].toString().toUpper());
    });
    lista_.addCalcField(NipPor, [](const db::Row& r) {
        const int nip = r.columns()->indexOf(QStringLiteral("NR_NIP"));
        return db::Value(nip >= 0 ? NumerDoPorownania(r[nip].toString()) : QString());
    });
    lista_.setFilter([this](const db::Row& r) { return pasuje(r); });
}

bool TListaWyboru::pasuje(const db::Row& r) const {
    if (filtr_.isEmpty() || NazwaPasuje(r[NazwaUp].toString(), filtr_))
        return true;
    if (szukany_.numer.isEmpty())
        return false;
    if (NumerZawiera(r[NipPor].toString(), szukany_))
        return true;
    return konta_.maKonto(r[QStringLiteral("KLIENTID")].toInt(), szukany_);
}

void TListaWyboru::poOdczycie() {
    if (bezWyboru_)
        lista_.setCurrentIndex(-1);
}

void TListaWyboru::otworz() {
    konta_.uniewaznij();
    lista_.open();
    if (!szukany_.numer.isEmpty()) {
        konta_.wczytaj(tr_);
        lista_.refilter();
    }
    poOdczycie();
}

bool TListaWyboru::ustawFiltr(const QString& tekst) {
    filtr_ = NormujFiltr(tekst);
    szukany_ = TekstSzukania(tekst);
    if (!lista_.isOpen())
        return false;
    // Digits may be a bank account's: the accounts are read with the list's own view of the
    // database, once.
    if (!szukany_.numer.isEmpty() && !konta_.wczytane())
        konta_.wczytaj(tr_);
    lista_.refilter();
    poOdczycie();
    return maBiezacy();
}

int TListaWyboru::biezacyKlientId() const {
    const db::Value id = lista_.field(QStringLiteral("KLIENTID"));
    return id.isNull() ? 0 : id.toInt();
}

void TListaWyboru::zakoncz() {
    lista_.close();
    konta_.uniewaznij();
    if (!tr_.active())
        return;
    try {
        tr_.commit();
    } catch (const db::Error&) {
        // Only reads ran in it: nothing is lost when it ends by rolling back.
        try {
            tr_.rollback();
        } catch (const db::Error&) {
        }
    }
}

QString SqlSzukajKlienta() {
    return QStringLiteral("select KLIENTID, NR_NIP, NAZWA\nfrom KLIENT\norder by NAZWA");
}

QString SqlKandydaciPrzeksiegowania() {
    return QStringLiteral(
        "select KLIENTID, NAZWA, NR_NIP\nfrom KLIENT\nwhere KLIENTID<>:KlientId\norder by Nazwa");
}
