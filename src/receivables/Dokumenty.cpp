#include "Dokumenty.h"

#include "Attachment.h"
#include "Statement.h"
#include "Swieta.h"
#include "Transaction.h"
#include "Wyglad.h"

#include <QLocale>

#include <set>
#include <tuple>

namespace dokumenty {

std::optional<Odbiorca> czytajOdbiorce(db::Attachment& att, int klientId) {
    db::Transaction tr(att, db::Isolation::ReadCommitted);
    tr.start();
    std::optional<Odbiorca> o = czytajOdbiorce(tr, klientId);
    tr.commit();
    return o;
}

std::optional<Odbiorca> czytajOdbiorce(db::Transaction& tr, int klientId) {
    db::Statement s(tr, QStringLiteral("SELECT KLIENTID, NAZWA, ADRES, KR_NIP, NR_NIP, KONSUMENT, "
                                       "ZOZ_PUBLICZNY FROM KLIENT WHERE KLIENTID = ?"));
    s.bindAll({klientId});
    db::Row r;
    std::optional<Odbiorca> o;
    if (s.fetchOne(r)) {
        o.emplace();
        o->klientId = r["KLIENTID"].toInt();
        o->nazwa = r["NAZWA"].toString();
        o->adres = r["ADRES"].toString();
        const QString kr = r["KR_NIP"].toString().trimmed();
        const QString nr = r["NR_NIP"].toString().trimmed();
        o->nip = nr.isEmpty() ? QString() : (kr.isEmpty() ? nr : kr + u' ' + nr);
        if (r["KONSUMENT"].toString() == QStringLiteral("T"))
            o->dluznik = odsetki::Dluznik::Konsument;
        else if (r["ZOZ_PUBLICZNY"].toString() == QStringLiteral("T"))
            o->dluznik = odsetki::Dluznik::PublicznyZoz;
    }
    return o;
}

QString numerNoty(int numer, int rok) {
    return QStringLiteral("NO/%1/%2").arg(numer).arg(rok);
}

std::variant<NotaOdsetkowa, QString>
zbudujNote(const firma::DaneFirmy& firma, const Odbiorca& kontrahent,
           const std::vector<windykacja::Faktura>& faktury, const odsetki::Tabele& tabele,
           const std::vector<kursy::KursEur>& kursyEur, const ParametryNoty& p,
           const windykacja::NaliczoneFaktur& naliczone) {
    if (const QString braki = firma::brakiDanychFirmy(firma, true); !braki.isEmpty())
        return braki;
    NotaOdsetkowa n;
    n.numer = p.numer;
    n.dataWystawienia = p.dataWystawienia;
    n.firma = firma;
    n.kontrahent = kontrahent;
    n.od = p.od;
    n.doDnia = p.doDnia;
    n.terminZaplatyDni = p.terminZaplatyDni;
    n.zNiezaplaconymi = p.zNiezaplaconymi;
    if (p.od.isValid() && p.od > p.doDnia)
        return QStringLiteral("Początek okresu noty jest późniejszy niż jego koniec.");
    try {
        const windykacja::WynikOdsetek w =
            windykacja::naliczOdsetki(faktury, {p.od, p.doDnia, true, p.zNiezaplaconymi}, tabele,
                                      kontrahent.dluznik, naliczone);
        n.pozycje = w.pozycje;
        n.sumaOdsetek = w.suma;
    } catch (const odsetki::BrakStawki& e) {
        return e.komunikat();
    }
    if (n.pozycje.empty())
        return naliczone.isEmpty()
                   ? QStringLiteral("Kontrahent nie zapłacił w tym okresie żadnej faktury po "
                                    "terminie: nie ma z czego wystawić noty odsetkowej.")
                   : QStringLiteral("Kontrahent nie zapłacił w tym okresie żadnej faktury po "
                                    "terminie, za którą odsetek nie naliczyły już wcześniejsze "
                                    "noty: nie ma z czego wystawić noty odsetkowej.");
    for (const windykacja::PozycjaOdsetek& poz : n.pozycje)
        if (poz.naliczoneOd != poz.termin.addDays(1))
            n.poWczesniejszychNotach = true;
    if (p.zRekompensata) {
        QStringList brakKursu;
        for (const windykacja::PozycjaOdsetek& poz : n.pozycje) {
            if (poz.rekompensataEur == 0)
                continue;
            Rekompensata r;
            r.numer = poz.numer;
            r.kwotaFaktury = poz.kwotaFaktury;
            r.termin = poz.termin;
            r.euro = poz.rekompensataEur;
            const std::optional<kursy::KursEur> k = kursy::kursDoRekompensaty(kursyEur, poz.termin);
            if (!k) {
                const QString miesiac =
                    odsetki::miesiacKursu(poz.termin).toString(QStringLiteral("MM.yyyy"));
                if (!brakKursu.contains(miesiac))
                    brakKursu << miesiac;
                continue;
            }
            r.kurs = *k;
            r.pln = odsetki::rekompensataPln(r.euro, k->kurs);
            n.sumaRekompensat += r.pln;
            n.rekompensaty.push_back(r);
        }
        if (!brakKursu.isEmpty())
            return QStringLiteral("Brak kursu euro NBP z ostatniego dnia roboczego miesiąca: %1.\r"
                                  "Pobierz go z NBP albo wpisz ręcznie: System → Kursy euro.")
                .arg(brakKursu.join(QStringLiteral(", ")));
    }
    n.razem = n.sumaOdsetek + n.sumaRekompensat;
    if (n.razem <= Money())
        return QStringLiteral("Odsetki za ten okres wynoszą 0,00 zł: nie ma z czego wystawić noty "
                              "odsetkowej.");
    return n;
}

bool tenSamRachunek(const NotaOdsetkowa& a, const NotaOdsetkowa& b) {
    auto pozycje = [](const NotaOdsetkowa& n) {
        std::vector<std::tuple<int, int, Money, Money, QDate, int, Money, int>> w;
        for (const windykacja::PozycjaOdsetek& p : n.pozycje)
            w.emplace_back(p.wpisIdFaktury, p.wpisIdZaplaty, p.pozycjaOd, p.kwota, p.naliczoneOd,
                           p.dni, p.odsetki, p.rekompensataEur);
        return w;
    };
    auto rekompensaty = [](const NotaOdsetkowa& n) {
        std::vector<std::tuple<QString, int, Money>> w;
        for (const Rekompensata& r : n.rekompensaty)
            w.emplace_back(r.numer, r.euro, r.pln);
        return w;
    };
    return a.kontrahent.klientId == b.kontrahent.klientId && a.razem == b.razem &&
           pozycje(a) == pozycje(b) && rekompensaty(a) == rekompensaty(b);
}

std::optional<WezwanieDoZaplaty>
wezwanieDla(const firma::DaneFirmy& firma, const Odbiorca& kontrahent,
            const std::vector<windykacja::Faktura>& faktury, const odsetki::Tabele& tabele,
            const ParametryWezwania& p, const windykacja::NaliczoneFaktur& naliczone,
            Money nadplata) {
    WezwanieDoZaplaty w;
    w.dataWystawienia = p.dataWystawienia;
    w.firma = firma;
    w.kontrahent = kontrahent;
    w.terminDni = p.terminDni;
    w.terminZaplaty = p.dataWystawienia.addDays(p.terminDni);
    w.zOdsetkami = p.zOdsetkami;
    for (const windykacja::Faktura& f : faktury) {
        const QDate termin = swieta::najblizszyDzienRoboczy(f.termin);
        const Money pozostalo = windykacja::pozostaloNaDzien(f, p.dataWystawienia);
        const qint64 dni = termin.daysTo(p.dataWystawienia);
        if (pozostalo <= Money() || dni <= p.ponadDni || dni <= 0)
            continue;
        PozycjaWezwania poz;
        poz.numer = f.numer;
        poz.wystawiona = f.wystawiona;
        poz.termin = termin;
        poz.kwota = f.kwota;
        poz.pozostalo = pozostalo;
        poz.dniZwloki = static_cast<int>(dni);
        if (p.zOdsetkami && !f.bezOdsetek) {
            const windykacja::WynikOdsetek o =
                windykacja::naliczOdsetki({f}, {QDate(), p.dataWystawienia, false, true}, tabele,
                                          kontrahent.dluznik, naliczone);
            poz.odsetki = o.suma;
            for (const windykacja::PozycjaOdsetek& po : o.pozycje)
                if (po.naliczoneOd != po.termin.addDays(1))
                    w.poWczesniejszychNotach = true;
            if (o.pozycje.empty() && naliczone.contains(f.wpisId))
                w.poWczesniejszychNotach = true;
        }
        w.sumaPozostalo += poz.pozostalo;
        w.sumaOdsetek += poz.odsetki;
        w.pozycje.push_back(poz);
    }
    w.nadplata = std::max(Money(), nadplata);
    if (w.pozycje.empty() || w.sumaPozostalo <= w.nadplata)
        return std::nullopt;
    w.razem = w.sumaPozostalo - w.nadplata + w.sumaOdsetek;
    return w;
}

std::variant<WezwanieDoZaplaty, QString>
zbudujWezwanie(const firma::DaneFirmy& firma, const Odbiorca& kontrahent,
               const std::vector<windykacja::Faktura>& faktury, const odsetki::Tabele& tabele,
               const ParametryWezwania& p, const windykacja::NaliczoneFaktur& naliczone,
               Money nadplata) {
    if (const QString braki = firma::brakiDanychFirmy(firma, true); !braki.isEmpty())
        return braki;
    try {
        if (std::optional<WezwanieDoZaplaty> w =
                wezwanieDla(firma, kontrahent, faktury, tabele, p, naliczone, nadplata))
            return std::move(*w);
    } catch (const odsetki::BrakStawki& e) {
        return e.komunikat();
    }
    return nadplata > Money()
               ? QStringLiteral("Kontrahent nie ma nieopłaconych faktur po terminie ponad "
                                "nierozliczone wpłaty: nie ma za co wzywać do zapłaty.")
               : QStringLiteral("Kontrahent nie ma nieopłaconych faktur po terminie: nie ma za co "
                                "wzywać do zapłaty.");
}

std::variant<PotwierdzenieSalda, QString>
zbudujPotwierdzenie(const firma::DaneFirmy& firma, const Odbiorca& kontrahent,
                    const std::vector<windykacja::Faktura>& faktury,
                    const std::vector<KwotaNierozliczona>& nierozliczone, const QDate& naDzien,
                    const QDate& dataWystawienia) {
    if (const QString braki = firma::brakiDanychFirmy(firma, false); !braki.isEmpty())
        return braki;
    PotwierdzenieSalda ps;
    ps.naDzien = naDzien;
    ps.dataWystawienia = dataWystawienia;
    ps.firma = firma;
    ps.kontrahent = kontrahent;
    for (const windykacja::Faktura& f : faktury) {
        if (f.wystawiona.isValid() && f.wystawiona > naDzien)
            continue;
        const Money pozostalo = windykacja::pozostaloNaDzien(f, naDzien);
        if (pozostalo <= Money())
            continue;
        ps.faktury.push_back({f.numer, f.wystawiona, f.termin, f.kwota, pozostalo});
        ps.sumaFaktur += pozostalo;
    }
    for (const KwotaNierozliczona& k : nierozliczone) {
        if (k.data > naDzien || k.kwota <= Money())
            continue;
        ps.nierozliczone.push_back(k);
        ps.sumaNierozliczonych += k.kwota;
    }
    ps.saldo = ps.sumaFaktur - ps.sumaNierozliczonych;
    return ps;
}

QString opisSalda(Money saldo) {
    const QString kwota = FormatKwoty(saldo.isNegative() ? -saldo : saldo) + QStringLiteral(" zł");
    if (saldo.isZero())
        return kwota + QStringLiteral(" (rozrachunki rozliczone)");
    if (saldo.isNegative())
        return kwota + QStringLiteral(" na Państwa korzyść (nadpłata)");
    return kwota + QStringLiteral(" na naszą korzyść (Państwa zobowiązanie)");
}

QString opisSaldaDlaKontrahenta(Money saldo, const QString& firma) {
    const QString kwota = FormatKwoty(saldo.isNegative() ? -saldo : saldo) + QStringLiteral(" zł");
    if (saldo.isZero())
        return kwota + QStringLiteral(" (rozrachunki rozliczone)");
    if (saldo.isNegative())
        return kwota + QStringLiteral(" na naszą korzyść (nadpłata)");
    return kwota + QStringLiteral(" – nasze zobowiązanie wobec ") + firma;
}

} // namespace dokumenty
