#include "SeriaDokumentow.h"

#include "DaneFirmy.h"
#include "DaneWindykacji.h"
#include "StawkiOdsetek.h"
#include "Transaction.h"

namespace windykacja {
namespace {

// Walks the contractors in one snapshot, making a document of each with `zrob` (none: nothing
// for that one).
template <typename Dokument, typename Zrob>
Seria<Dokument> przejdz(db::Transaction& tr, const std::vector<int>& klienci, const QDate& naDzien,
                        const Postep& postep, Zrob zrob) {
    Seria<Dokument> s;
    const int wszystkie = static_cast<int>(klienci.size());
    for (int i = 0; i < wszystkie; ++i) {
        if (std::optional<DaneKontrahenta> d =
                czytajKontrahenta(tr, klienci[static_cast<std::size_t>(i)], naDzien))
            if (std::optional<Dokument> dok = zrob(*d))
                s.dokumenty.push_back(std::move(*dok));
        if (postep && !postep(i + 1, wszystkie) && i + 1 < wszystkie) {
            s.przerwana = true;
            break;
        }
    }
    return s;
}

QString brakKontrahenta(int klientId) {
    return QStringLiteral("Nie ma kontrahenta o identyfikatorze %1.").arg(klientId);
}

} // namespace

std::variant<Seria<dokumenty::WezwanieDoZaplaty>, QString>
wezwania(db::Attachment& att, const dokumenty::ParametryWezwania& p, int klientId,
         const Postep& postep) {
    const firma::DaneFirmy firma = firma::czytajDaneFirmy(att);
    if (const QString braki = firma::brakiDanychFirmy(firma, true); !braki.isEmpty())
        return braki;
    if (!p.dataWystawienia.isValid())
        return QStringLiteral("Podaj datę wezwania.");
    const odsetki::Tabele tabele = stawki::czytajTabele(att);
    db::Transaction tr(att, db::Isolation::Snapshot);
    tr.start();
    if (klientId > 0) {
        std::optional<DaneKontrahenta> d = czytajKontrahenta(tr, klientId, p.dataWystawienia);
        tr.commit();
        if (!d)
            return brakKontrahenta(klientId);
        auto w = dokumenty::zbudujWezwanie(firma, d->odbiorca, d->faktury, tabele, p, d->naliczone,
                                           d->stan.nierozliczone());
        if (const QString* odmowa = std::get_if<QString>(&w))
            return *odmowa;
        Seria<dokumenty::WezwanieDoZaplaty> s;
        s.dokumenty.push_back(std::get<dokumenty::WezwanieDoZaplaty>(std::move(w)));
        return s;
    }
    try {
        const std::vector<int> klienci =
            kontrahenciZZaleglosciami(tr, p.dataWystawienia, std::max(0, p.ponadDni));
        auto s = przejdz<dokumenty::WezwanieDoZaplaty>(
            tr, klienci, p.dataWystawienia, postep, [&](const DaneKontrahenta& d) {
                return dokumenty::wezwanieDla(firma, d.odbiorca, d.faktury, tabele, p, d.naliczone,
                                              d.stan.nierozliczone());
            });
        tr.commit();
        if (s.dokumenty.empty() && !s.przerwana)
            return QStringLiteral("Żaden kontrahent nie ma faktur zaległych ponad %1 dni: nie ma "
                                  "do kogo wysłać wezwań.")
                .arg(std::max(0, p.ponadDni));
        return s;
    } catch (const odsetki::BrakStawki& e) {
        return e.komunikat();
    }
}

std::variant<Seria<dokumenty::PotwierdzenieSalda>, QString>
potwierdzenia(db::Attachment& att, const QDate& naDzien, const QDate& dataWystawienia, int klientId,
              const Postep& postep) {
    const firma::DaneFirmy firma = firma::czytajDaneFirmy(att);
    if (const QString braki = firma::brakiDanychFirmy(firma, false); !braki.isEmpty())
        return braki;
    if (!naDzien.isValid() || !dataWystawienia.isValid())
        return QStringLiteral("Podaj dzień salda i datę wystawienia potwierdzenia.");
    db::Transaction tr(att, db::Isolation::Snapshot);
    tr.start();
    const std::vector<int> klienci =
        klientId > 0 ? std::vector<int>{klientId} : kontrahenciZSaldem(tr, naDzien);
    auto s = przejdz<dokumenty::PotwierdzenieSalda>(
        tr, klienci, naDzien, postep,
        [&](const DaneKontrahenta& d) -> std::optional<dokumenty::PotwierdzenieSalda> {
            auto p = dokumenty::zbudujPotwierdzenie(firma, d.odbiorca, d.faktury,
                                                    nierozliczoneZeStanu(d.stan), naDzien,
                                                    dataWystawienia);
            if (auto* ps = std::get_if<dokumenty::PotwierdzenieSalda>(&p))
                return std::move(*ps);
            return std::nullopt;
        });
    tr.commit();
    if (klientId > 0 && s.dokumenty.empty())
        return brakKontrahenta(klientId);
    if (s.dokumenty.empty() && !s.przerwana)
        return QStringLiteral("Saldo żadnego kontrahenta na dzień %1 nie jest różne od zera: nie "
                              "ma czego potwierdzać.")
            .arg(naDzien.toString(QStringLiteral("dd.MM.yyyy")));
    return s;
}

} // namespace windykacja
