#include "ListaWyboru.h"

#include "Attachment.h"
#include "Error.h"

namespace {
const QString NazwaUp = QStringLiteral("NAZWA_UP");
}

QString NormujFiltr(const QString& tekst) {
    return tekst.trimmed().toUpper();
}

bool NazwaPasuje(const QString& nazwaUp, const QString& filtr) {
    return filtr.isEmpty() || nazwaUp.contains(filtr);
}

TListaWyboru::TListaWyboru(db::Attachment& conn, const QString& sql) : tr_(conn), lista_(tr_, sql) {
    lista_.addCalcField(NazwaUp, [](const db::Row& r) {
        return db::Value(r[QStringLiteral("NAZWA")].toString().toUpper());
    });
    lista_.setFilter([this](const db::Row& r) {
        return filtr_.isEmpty() || NazwaPasuje(r[NazwaUp].toString(), filtr_);
    });
}

void TListaWyboru::otworz() {
    lista_.open();
}

bool TListaWyboru::ustawFiltr(const QString& tekst) {
    filtr_ = NormujFiltr(tekst);
    if (!lista_.isOpen())
        return false;
    lista_.refilter();
    return maBiezacy();
}

int TListaWyboru::biezacyKlientId() const {
    const db::Value id = lista_.field(QStringLiteral("KLIENTID"));
    return id.isNull() ? 0 : id.toInt();
}

void TListaWyboru::zakoncz() {
    lista_.close();
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
        "select KLIENTID, NAZWA\nfrom KLIENT\nwhere KLIENTID<>:KlientId\norder by Nazwa");
}
