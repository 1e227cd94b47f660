#pragma once

#include "KsiegowanieFaktur.h"
#include "KsiegowanieWplat.h"
#include "StatementBuilder.h"
#include "TestDatabase.h"
#include "WczytajWyciag.h"
#include "fks.h"
#include "recFaktura.h"

#include <gtest/gtest.h>

// A fresh database, invoices and statements booked through the real runs, and the checks
// every open-items test ends with.
class RozrachunkiTest : public DbTest {
protected:
    static Money zl(const char* kwota) { return *Money::parse(QString::fromLatin1(kwota)); }

    static recFaktura faktura(const QString& nr, const QString& nip, const char* kwota,
                              Date wystawiona = Date(2024, 3, 1)) {
        recFaktura f;
        f.NrFakt = nr;
        f.DataWyst = wystawiona;
        f.NazwaOdb = QStringLiteral("Nabywca ") + nip;
        f.KrNip = QStringLiteral("PL");
        f.NipOdb = nip;
        f.SetXmlKwota(QString::fromLatin1(kwota));
        return f;
    }
    WynikKsiegowania ksiegujFaktury(const std::vector<recFaktura>& faktury) {
        Tks ks(data->conn);
        KsiegowanieFaktur run(ks, [](const recFaktura&) {
            DecyzjaBrakKontrahenta d;
            d.wybor = DecyzjaBrakKontrahenta::Wybor::Pomin;
            return d;
        });
        return run.run(faktury);
    }
    std::shared_ptr<IWyciag> wyciag(const std::vector<TxSpec>& txs,
                                    const QString& opening = QStringLiteral("C240301PLN1,00")) {
        const WynikOtwarcia w =
            OtworzWyciag(ingStatement(txs, opening).toUtf8(), TKodowanie::kdUTF_8);
        EXPECT_TRUE(w.ok()) << w.komunikat().toStdString();
        return w.wyciag();
    }
    RaportWplat ksiegujWplaty(const std::vector<TxSpec>& txs,
                              const QString& opening = QStringLiteral("C240301PLN1,00"),
                              const DecyzjePlatnikow& decyzje = {}) {
        const auto w = wyciag(txs, opening);
        Tks ks(data->conn);
        KsiegowanieWplat run(ks);
        run.setDecyzje(decyzje);
        return run.ksieguj(*w);
    }
    void najstarsze(bool tak) {
        exec(QStringLiteral("UPDATE USTAWIENIA_ROZRACHUNKOW SET NAJSTARSZE = '%1'")
                 .arg(tak ? 'T' : 'N'));
    }

    int wpisFaktury(const QString& nr) {
        return scalar(QStringLiteral("SELECT WPISID FROM TRANS WHERE NR_FAKTURY = '%1'").arg(nr))
            .toInt();
    }
    int wpisWplaty(const QString& tytul) {
        return scalar(QStringLiteral("SELECT WPISID FROM TRANS WHERE ZRODLO IN ('W', 'U') "
                                     "AND ZAPLACONO IS NOT NULL AND OPIS_TR = '%1'")
                          .arg(tytul))
            .toInt();
    }
    // What is left of a row: above 0 owed, below 0 a credit not allocated.
    Money otwarte(int wpisId) {
        return scalar(QStringLiteral("SELECT OTWARTE FROM TRANS WHERE WPISID = %1").arg(wpisId))
            .toMoney();
    }
    Money pozostalo(const QString& nrFaktury) { return otwarte(wpisFaktury(nrFaktury)); }
    Money powiazane(int naleznosc, int zaplata) {
        return scalar(QStringLiteral("SELECT COALESCE(SUM(KWOTA), 0) FROM ROZRACHUNEK WHERE "
                                     "ID_NALEZNOSCI = %1 AND ID_ZAPLATY = %2")
                          .arg(naleznosc)
                          .arg(zaplata))
            .toMoney();
    }

    // Links never change a balance: each balance is the ledger's sum, and what is left of the
    // rows (owed less not allocated) adds up to it.
    void expectSpojne() {
        EXPECT_EQ(
            count("FROM SALDA S WHERE COALESCE(S.DOZAPLATY,0) - COALESCE(S.ZAPLACONO,0) <> "
                  "(SELECT COALESCE(SUM(COALESCE(T.DOZAPLATY,0) - COALESCE(T.ZAPLACONO,0)),0) "
                  "FROM TRANS T WHERE T.KLIENTID = S.KLIENTID)"),
            0);
        EXPECT_EQ(count("FROM SALDA S WHERE COALESCE(S.DOZAPLATY,0) - COALESCE(S.ZAPLACONO,0) <> "
                        "(SELECT COALESCE(SUM(T.OTWARTE),0) FROM TRANS T "
                        "WHERE T.KLIENTID = S.KLIENTID)"),
                  0);
        EXPECT_EQ(count("FROM TRANS WHERE ROZLICZONO <> (SELECT COALESCE(SUM(L.KWOTA),0) FROM "
                        "ROZRACHUNEK L WHERE L.ID_NALEZNOSCI = TRANS.WPISID OR "
                        "L.ID_ZAPLATY = TRANS.WPISID)"),
                  0);
    }
};

// Accounts of the tests' payers.
inline const QString KontoA = QStringLiteral("61109010140000071219812874");
inline const QString KontoB = QStringLiteral("27114020040000300201355387");
inline const QString KontoC = QStringLiteral("83105000861000002332140531");
