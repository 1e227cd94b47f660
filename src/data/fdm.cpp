#include "fdm.h"

#include "ZapisPodBlokada.h"

#include "Error.h"
#include "Globals.h"
#include "Konfig.h"
#include "SchemaVersion.h"
#include "Statement.h"
#include "StringFun.h"
#include "TekstNum.h"
#include "Zakonczenie.h"
#include "fSQLFun.h"
#include "komun.h"

#include <QCoreApplication>

#include <algorithm>

Tdm* dm = nullptr;

namespace {
QString lines(std::initializer_list<QString> parts) {
    QStringList l;
    for (const QString& p : parts)
        l << p;
    return l.join(u'\n');
}

const QString KlientSelect = QStringLiteral(
    "SELECT K.KLIENTID, K.NAZWA, K.ADRES, K.KR_NIP, K.NR_NIP, K.TELEFON1, K.EMAIL1,\n"
    "  K.KONSUMENT, K.ZOZ_PUBLICZNY, K.TERMIN_PLATNOSCI,\n"
    "  CASE WHEN EXISTS (SELECT 1 FROM KONTO KO WHERE KO.KLIENTID = K.KLIENTID)\n"
    "       THEN '' ELSE '-' END AS KONTOTN\n"
    "FROM KLIENT K");

const QString TransColumns = QStringLiteral(
    "DATA_TR, DOZAPLATY, KLIENTID, KR_KONTO, NR_KONTO, NR_WYCIAGU, OPIS_TR, UWAGI, WPISID, "
    "ZAPLACONO, ZRODLO");

const QString SaldaTail = QStringLiteral(
    "FROM Klient K, Salda S\nWHERE K.KlientId=S.KlientId\nGROUP BY K.Nazwa\nORDER BY K.Nazwa");

} // namespace

Tdm::Tdm(QObject* parent) : QObject(parent) {
    // Reading the table in storage order and sorting it is about half the cost of walking
    // the name index row by row, which dominates opening a large register.
    Klient.setSql(KlientSelect + QStringLiteral("\nPLAN SORT (K NATURAL)\nORDER BY K.NAZWA"));
    Klient.setWriteStatements(
        QStringLiteral("INSERT INTO KLIENT (KLIENTID, NAZWA, ADRES, KR_NIP, NR_NIP, TELEFON1, "
                       "EMAIL1, KONSUMENT, ZOZ_PUBLICZNY, TERMIN_PLATNOSCI) VALUES (:KLIENTID, "
                       ":NAZWA, :ADRES, :KR_NIP, :NR_NIP, :TELEFON1, :EMAIL1, :KONSUMENT, "
                       ":ZOZ_PUBLICZNY, :TERMIN_PLATNOSCI)"),
        QStringLiteral("UPDATE KLIENT SET NAZWA = :NAZWA, ADRES = :ADRES, KR_NIP = :KR_NIP, "
                       "NR_NIP = :NR_NIP, TELEFON1 = :TELEFON1, EMAIL1 = :EMAIL1, "
                       "KONSUMENT = :KONSUMENT, ZOZ_PUBLICZNY = :ZOZ_PUBLICZNY, "
                       "TERMIN_PLATNOSCI = :TERMIN_PLATNOSCI WHERE KLIENTID = :OLD_KLIENTID"),
        QStringLiteral("DELETE FROM KLIENT WHERE KLIENTID = :OLD_KLIENTID"),
        KlientSelect + QStringLiteral("\nWHERE K.KLIENTID = :KLIENTID"));

    KontoKL.setSql(lines({"select * ", "from KONTO", "where KlientId=:KlientId"}));
    KontoKL.addCalcField(QStringLiteral("KontoStr"), [](const db::Row& r) {
        return db::Value(FormatKonto(r["NR_KONTO"].toString()));
    });
    KontoKL.setWriteStatements(
        QStringLiteral("INSERT INTO KONTO (KLIENTID, KR_KONTO, NR_KONTO, WPISID, POMIJAJ) "
                       "VALUES (:KLIENTID, :KR_KONTO, :NR_KONTO, :WPISID, :POMIJAJ)"),
        QStringLiteral("UPDATE KONTO SET KR_KONTO = :KR_KONTO, NR_KONTO = :NR_KONTO, "
                       "POMIJAJ = :POMIJAJ WHERE WPISID = :OLD_WPISID"),
        QStringLiteral("DELETE FROM KONTO WHERE WPISID = :OLD_WPISID"),
        QStringLiteral("SELECT WPISID, KLIENTID, KR_KONTO, NR_KONTO FROM KONTO "
                       "WHERE WPISID = :WPISID"));

    TransKL.setSql(
        // Within a day the row written last comes first too, so the top row's running balance
        // is the balance.
        lines({"select * ", "from Trans", "where KlientId=:KlientId",
               "order by data_tr desc, WpisId desc"}));
    TransKL.addRowsCalcField(SaldoNarastajaco, SaldaNarastajaco);
    TransKL.setWriteStatements(
        QStringLiteral("INSERT INTO TRANS (%1) VALUES (:DATA_TR, :DOZAPLATY, :KLIENTID, "
                       ":KR_KONTO, :NR_KONTO, :NR_WYCIAGU, :OPIS_TR, :UWAGI, :WPISID, "
                       ":ZAPLACONO, :ZRODLO)")
            .arg(TransColumns),
        QStringLiteral("UPDATE TRANS SET DATA_TR = :DATA_TR, DOZAPLATY = :DOZAPLATY, "
                       "KLIENTID = :KLIENTID, KR_KONTO = :KR_KONTO, NR_KONTO = :NR_KONTO, "
                       "NR_WYCIAGU = :NR_WYCIAGU, OPIS_TR = :OPIS_TR, UWAGI = :UWAGI, "
                       "WPISID = :WPISID, ZAPLACONO = :ZAPLACONO, ZRODLO = :ZRODLO "
                       "WHERE KLIENTID = :OLD_KLIENTID AND WPISID = :OLD_WPISID"),
        QStringLiteral("DELETE FROM TRANS WHERE WPISID = :OLD_WPISID"),
        QStringLiteral("SELECT %1 FROM TRANS WHERE WPISID = :WPISID").arg(TransColumns));

    SaldoKL.setSql(
        lines({"select KLIENTID, DOZAPLATY, ZAPLACONO", "from Salda", "where KlientId=:KlientId"}));

    Salda.setSql(QStringLiteral("SELECT SUM( COALESCE(DoZaplaty,0) - COALESCE(Zaplacono,0)  ) "
                                "AS Saldo, K.Nazwa\n") +
                 SaldaTail);
    Dluznicy.setSql(Salda.sql());
    Dluznicy.setFilter([](const db::Row& r) { return r["SALDO"].toMoney() > Money(); });
    Nadplaty.setSql(QStringLiteral("SELECT SUM( COALESCE(Zaplacono,0) - COALESCE(DoZaplaty,0)  ) "
                                   "AS Saldo, K.Nazwa\n") +
                    SaldaTail);
    Nadplaty.setFilter([](const db::Row& r) { return r["SALDO"].toMoney() > Money(); });

    DowodWP.setSql(
        lines({"select T.WPISID, T.KLIENTID, T.OPIS_TR, T.ZAPLACONO, T.ZRODLO, K.NAZWA ",
               "from TRANS T, KLIENT K", "where T.WpisId=:WpisId AND T.KLIENTID = K.KLIENTID"}));
    DowodWP.addCalcField(QStringLiteral("Slownie"), [](const db::Row& r) {
        const db::Value& z = r["ZAPLACONO"];
        return db::Value(z.isNull() ? QString() : Slownie(z.toMoney()).left(200));
    });

    OperatorXE.setSql(
        QStringLiteral("SELECT OPERID, NAZWA, HASLO, ZMIEN_HASLO, PLIK_HASLA FROM OPERATOR"));
    OperatorXE.setWriteStatements(
        QStringLiteral("INSERT INTO OPERATOR (OPERID, NAZWA, HASLO) "
                       "VALUES (:OPERID, :NAZWA, :HASLO)"),
        QStringLiteral("UPDATE OPERATOR SET NAZWA = :NAZWA, HASLO = :HASLO "
                       "WHERE OPERID = :OLD_OPERID"),
        QStringLiteral("DELETE FROM OPERATOR WHERE OPERID = :OLD_OPERID"),
        QStringLiteral("SELECT OPERID, NAZWA, HASLO, ZMIEN_HASLO, PLIK_HASLA FROM OPERATOR "
                       "WHERE OPERID = :OPERID"));

    Operacja.setSql(QStringLiteral("SELECT WPISID, OPIS FROM OPERACJA ORDER BY OPIS"));
    Operacja.setWriteStatements(
        QStringLiteral("INSERT INTO OPERACJA (WPISID, OPIS) VALUES (:WPISID, :OPIS)"),
        QStringLiteral("UPDATE OPERACJA SET OPIS = :OPIS WHERE WPISID = :OLD_WPISID"),
        QStringLiteral("DELETE FROM OPERACJA WHERE WPISID = :OLD_WPISID"),
        QStringLiteral("SELECT WPISID, OPIS FROM OPERACJA WHERE WPISID = :WPISID"));
}

Tdm::~Tdm() {
    if (dm == this)
        dm = nullptr;
}

bool Tdm::DataModuleCreate() {
    return DataModuleCreate(QCoreApplication::applicationDirPath());
}

bool Tdm::DataModuleCreate(const QString& configFolder) {
    if (!KonfigOK(configFolder)) {
        Blad(Globals::KonfigErr);
        return false;
    }
    try {
        connect(Globals::DatabaseFile);
    } catch (const db::Error& e) {
        if (e.isOpenedElsewhere()) {
            Blad(e.message());
            return false;
        }
        Blad(QStringLiteral("Nie udało się połączyć z bazą: \r") + conn.databaseName() +
             QStringLiteral("\r\r") + QStringLiteral("Najczęstsze przyczyny to:\r") +
             QStringLiteral("1. Nie został uruchomiony serwer baz danych Firebird.\r") +
             QStringLiteral("   (Należy w Panelu Sterowania Windows otworzyć\r") +
             QStringLiteral("   Firebird Server Manager i uruchomić serwer przez\r") +
             QStringLiteral("   kliknięcie przycisku Start),\r") +
             QStringLiteral("2. Błędna ścieżka określona w pliku konfiguracyjnym\r") +
             QStringLiteral("   ") + KonfigFileName + QStringLiteral("."));
        return false;
    }
    if (!sprawdzWersjeBazy())
        return false;
    openStartupLists();
    return true;
}

bool Tdm::sprawdzWersjeBazy() {
    const db::ConnectionParams params = conn.params();
    const int expected = currentSchemaVersion();
    int found = 0;
    try {
        found = schemaVersion(conn);
    } catch (const db::Error& e) {
        closeConnection();
        Blad(e.message());
        return false;
    }
    if (found == expected)
        return true;
    closeConnection();
    if (found > expected) {
        Blad(SchemaMismatch(params.database, found, expected).message());
        return false;
    }
    if (!Zgoda(QStringLiteral(
            "Baza danych pochodzi z wcześniejszej wersji programu. Zaktualizować ją teraz?"))) {
        Info(QStringLiteral("Program nie może pracować na bazie danych %1 bez jej aktualizacji "
                            "i kończy pracę.")
                 .arg(params.database));
        return false;
    }
    UpgradeResult r;
    try {
        r = upgradeDatabase(params, upgradeSteps(), postepAktualizacji_);
    } catch (const UpgradeRefused& e) {
        Blad(e.message());
        return false;
    } catch (const std::exception& e) {
        Blad(QStringLiteral("Aktualizacja bazy danych nie powiodła się; baza pozostała w "
                            "wersji sprzed nieudanego kroku.\r") +
             QString::fromUtf8(e.what()));
        return false;
    }
    Info(QStringLiteral("Zaktualizowano bazę danych do wersji %1.\rKopia zapasowa sprzed "
                        "aktualizacji: %2")
             .arg(r.to)
             .arg(r.backup) +
         (r.notes.isEmpty() ? QString() : u'\r' + r.notes.join(u'\r')));
    try {
        connect(params);
    } catch (const db::Error& e) {
        Blad(e.message());
        return false;
    }
    return true;
}

void Tdm::connect(const QString& database, bool forceEmbedded) {
    closeConnection();
    connect(connectionParams(database, forceEmbedded));
}

void Tdm::connect(const db::ConnectionParams& params) {
    closeConnection();
    conn.open(params);
    ids_ = std::make_unique<IdCounter>(conn);
    zakonczenie::setCancel([this] { conn.cancelOperation(); });
}

db::ConnectionParams Tdm::connectionParams(const QString& database, bool forceEmbedded) {
    db::ConnectionParams p;
    p.database = database;
    p.user = Globals::DatabaseUser;
    p.password = Globals::DatabasePassword;
    p.forceEmbedded = forceEmbedded;
    return p;
}

void Tdm::closeConnection() {
    if (!conn.isOpen())
        return;
    zakonczenie::setCancel({});
    // Transactions and datasets end before the connection that carries them.
    for (Dataset* ds : {&Klient, &KontoKL, &TransKL, &SaldoKL, &Salda, &Dluznicy, &Nadplaty,
                        &DowodWP, &OperatorXE, &Operacja})
        ds->close();
    ids_.reset();
    for (db::Transaction* tr :
         {&trKlient, &trKontoKL, &trTransKL, &trSaldoKL, &trSalda, &trDluznicy, &trNadplaty,
          &trDowodWP, &trOperator, &trOperacja, &trRead, &trQQ, &trWrite}) {
        if (tr->active()) {
            try {
                tr->commit();
            } catch (const db::Error&) {
                tr->rollbackQuietly();
            }
        }
    }
    try {
        conn.close();
    } catch (const db::Error&) {
    }
}

void Tdm::openStartupLists() {
    OpenTbl(Klient, QStringLiteral("Kontrahenci"));
    KontoKL.setParam(QStringLiteral("KlientId"), db::Value());
    OpenQry(KontoKL, QStringLiteral("Numery kont"));
    TransKL.setParam(QStringLiteral("KlientId"), db::Value());
    OpenQry(TransKL, QStringLiteral("Transakcje"));
}

// ---- identifiers and writes

void Tdm::ExecuteSQL(const QString& sql) {
    ibSqlText = sql;
    try {
        trWrite.restart();
        db::Statement stmt(trWrite, sql);
        stmt.execute();
        trWrite.commit();
    } catch (const db::Error&) {
        // The failed statement has no effect; end the transaction and pass the error on.
        if (trWrite.active()) {
            try {
                trWrite.commit();
            } catch (const db::Error&) {
                trWrite.rollbackQuietly();
            }
        }
        throw;
    }
}

void ExecuteSQL(const QString& sql) {
    dm->ExecuteSQL(sql);
}

int Tdm::NextId() {
    return ReserveIds(1);
}

int Tdm::ReserveIds(int count) {
    if (!ids_)
        throw db::Error(QStringLiteral("Brak połączenia z bazą danych"));
    return ids_->reserve(count);
}

void Tdm::UdpdateSaldo(int klientId, Money doZaplaty, Money zaplacono) {
    ExecuteSQL(QStringLiteral("UPDATE Salda SET DoZaplaty = ") + sqlCurr(doZaplaty) +
               QStringLiteral(",") + QStringLiteral(" Zaplacono = ") + sqlCurr(zaplacono) +
               QStringLiteral(" WHERE KlientId = ") + QString::number(klientId));
}

bool Tdm::UsunKlienta(int klientId) {
    ExecuteSQL(QStringLiteral("DELETE FROM Klient WHERE KlientId = ") + QString::number(klientId));
    return true;
}

template <typename F> auto Tdm::onRq(const QString& sql, F&& readRows) {
    rqSql = sql;
    trRead.restart();
    db::Statement stmt(trRead, sql);
    db::Cursor cursor = stmt.open();
    auto result = readRows(cursor);
    cursor.close();
    trRead.commit();
    return result;
}

bool Tdm::DopiszKonto(const QString& nip, const QString& konto) {
    // One path adds an account for a tax number: its check and insert under the booking lock.
    return DopiszKontoPodBlokada(conn, nip, konto);
}

// ---- opening the shared lists

bool Tdm::OpenTbl(Dataset& table, const QString& displayName) {
    try {
        table.open();
        return true;
    } catch (const db::Error&) {
        Info(QStringLiteral("Nie udało się otworzyć bazy ") + displayName + QStringLiteral("."));
        return false;
    }
}

bool Tdm::OpenQry(Dataset& query, const QString& displayName) {
    return OpenTbl(query, displayName);
}

bool Tdm::OtworzKlient() {
    Klient.open(); // one model reset: the bound grids repaint once
    return true;
}

bool Tdm::reopenQuietly(Dataset& ds) {
    try {
        ds.open();
        return true;
    } catch (const db::Error&) {
        return false;
    }
}

bool Tdm::OtworzKontoKL(int klientId) {
    KontoKL.setParam(QStringLiteral("KlientId"), klientId);
    return reopenQuietly(KontoKL);
}

void SaldaNarastajaco(std::vector<db::Row>& rows, int kolumna) {
    // In the order things happened: by day, and within a day by identifier, which grows with
    // every row written.
    std::vector<std::size_t> kolejnosc(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        kolejnosc[i] = i;
    const auto klucz = [&rows](std::size_t i) {
        return std::make_pair(rows[i]["DATA_TR"].toDate(), rows[i]["WPISID"].toInt64());
    };
    std::stable_sort(kolejnosc.begin(), kolejnosc.end(),
                     [&](std::size_t a, std::size_t b) { return klucz(a) < klucz(b); });
    Money saldo;
    for (const std::size_t i : kolejnosc) {
        saldo += rows[i]["DOZAPLATY"].toMoney() - rows[i]["ZAPLACONO"].toMoney();
        rows[i].at(kolumna) = saldo;
    }
}

std::vector<DatasetColumn> KolumnyKsiegi() {
    const Qt::Alignment prawo = Qt::AlignRight | Qt::AlignVCenter;
    return {{QStringLiteral("DATA_TR"), QStringLiteral("Data"), {}},
            {QStringLiteral("DOZAPLATY"), QStringLiteral("Należność"), {}, prawo},
            {QStringLiteral("ZAPLACONO"), QStringLiteral("Wpłata"), {}, prawo},
            {SaldoNarastajaco, QStringLiteral("Saldo"), {}, prawo},
            {QStringLiteral("OPIS_TR"), QStringLiteral("Opis transakcji"), {}}};
}

bool Tdm::OtworzTransKL(int klientId) {
    TransKL.setParam(QStringLiteral("KlientId"), klientId);
    return reopenQuietly(TransKL);
}

bool Tdm::OtworzSalda() {
    return reopenQuietly(Salda);
}
bool Tdm::OtworzDluznicy() {
    return reopenQuietly(Dluznicy);
}
bool Tdm::OtworzNadplaty() {
    return reopenQuietly(Nadplaty);
}

bool Tdm::OtworzOperacje() {
    return OpenTbl(Operacja, QStringLiteral("Opisy transakcji"));
}
bool Tdm::OtworzOperator() {
    return OpenTbl(OperatorXE, QStringLiteral("Użytkownicy"));
}

bool Tdm::OtworzDowodWP(int wpisId) {
    DowodWP.setParam(QStringLiteral("WpisId"), wpisId);
    return reopenQuietly(DowodWP);
}

// ---- lookups

Money Tdm::SaldoKlienta(int klientId) {
    SaldoKL.setParam(QStringLiteral("KlientId"), klientId);
    SaldoKL.open();
    Money saldo;
    if (const db::Row* r = SaldoKL.current())
        saldo = (*r)["DOZAPLATY"].toMoney() - (*r)["ZAPLACONO"].toMoney();
    trSaldoKL.commit();
    return saldo;
}

QString Tdm::NazwaKlienta(int klientId) {
    try {
        return onRq(
            lines({"SELECT Nazwa", "FROM Klient", "WHERE KlientId=" + QString::number(klientId)}),
            [](db::Cursor& c) { return c.next() ? TrimCtl(c[0].toString()) : QString(); });
    } catch (const db::Error&) {
        trRead.rollbackQuietly();
        return {};
    }
}

bool Tdm::jestFirma() {
    try {
        return onRq(lines({"SELECT KlientId", "FROM Klient", "ROWS 1"}),
                    [](db::Cursor& c) { return c.next(); });
    } catch (const db::Error&) {
        trRead.rollbackQuietly();
        return false;
    }
}

bool Tdm::SaMinDwieFirmy() {
    try {
        return onRq(lines({"SELECT KlientId", "FROM Klient", "ROWS 2"}), [](db::Cursor& c) {
            int n = 0;
            while (c.next())
                ++n;
            return n > 1;
        });
    } catch (const db::Error&) {
        trRead.rollbackQuietly();
        return false;
    }
}

bool Tdm::jestKlient(const QString& nip) {
    try {
        return onRq(lines({"SELECT KlientId", "FROM Klient", "WHERE NR_NIP=" + sqlStr(nip)}),
                    [](db::Cursor& c) { return c.next(); });
    } catch (const db::Error&) {
        trRead.rollbackQuietly();
        return false;
    }
}

bool Tdm::KlientMaKonto(int klientId) {
    qqSql = lines({"SELECT COUNT(*) As Licznik", "FROM Konto",
                   "WHERE KlientId=" + QString::number(klientId)});
    try {
        trQQ.restart();
        db::Statement stmt(trQQ, qqSql);
        db::Row row;
        const bool has = stmt.fetchOne(row) && row["LICZNIK"].toInt64() > 0;
        trQQ.commit();
        return has;
    } catch (const db::Error&) {
        trQQ.rollbackQuietly();
        return false;
    }
}

bool Tdm::JestWyciag(const QString& liniaSalda, const QString& nrKonta) {
    try {
        return onRq(
            lines({"SELECT COUNT(*) As Licznik", "FROM Wyciag",
                   "WHERE LINIA_SALDA=" + sqlStr(liniaSalda) + " AND KONTO_WL=" + sqlStr(nrKonta)}),
            [](db::Cursor& c) { return c.next() && c["LICZNIK"].toInt64() > 0; });
    } catch (const db::Error&) {
        trRead.rollbackQuietly();
        return false;
    }
}

// ---- uniqueness checks

bool Tdm::countIsZero(const QString& sql) {
    try {
        return onRq(QStringLiteral("SELECT COUNT(*) As Licznik\n") + sql,
                    [](db::Cursor& c) { return c.next() && c["LICZNIK"].toInt64() == 0; });
    } catch (const db::Error&) {
        trRead.rollbackQuietly();
        return false; // the caller then reports a duplicate: nothing is saved on doubt
    }
}

namespace {
QString kontoWhere(const QString& kr, const QString& konto) {
    return QStringLiteral("WHERE ") + sqlWarunekKonta(kr, konto);
}

QString nipWhere(const QString& kr, const QString& nip) {
    if (kr.isEmpty())
        return QStringLiteral("WHERE NR_NIP=") + sqlStr(nip);
    return QStringLiteral("WHERE KR_NIP=") + sqlStr(kr) + QStringLiteral(" AND NR_NIP=") +
           sqlStr(nip);
}
} // namespace

bool Tdm::NowyKontoOK(const QString& kr, const QString& konto) {
    return countIsZero(QStringLiteral("FROM Konto\n") + kontoWhere(kr, konto));
}

bool Tdm::EditKontoOK(const QString& kr, const QString& konto, int wpisId) {
    return countIsZero(QStringLiteral("FROM Konto\n") + kontoWhere(kr, konto) +
                       QStringLiteral(" AND WpisId<>") + QString::number(wpisId));
}

bool Tdm::NowyNipOK(const QString& kr, const QString& nip) {
    return countIsZero(QStringLiteral("FROM Klient\n") + nipWhere(kr, nip));
}

bool Tdm::EditNipOK(const QString& kr, const QString& nip, int klientId) {
    return countIsZero(QStringLiteral("FROM Klient\n") + nipWhere(kr, nip) +
                       QStringLiteral(" AND KlientId<>") + QString::number(klientId));
}

bool Tdm::NowyOperatorOK(const QString& oper) {
    return countIsZero(QStringLiteral("FROM Operator\nWHERE UPPER(NAZWA)=") +
                       sqlStr(lsTrimUP(oper)));
}

bool Tdm::EditOperatorOK(const QString& oper, int operId) {
    return countIsZero(QStringLiteral("FROM Operator\nWHERE UPPER(Nazwa)=") +
                       sqlStr(lsTrimUP(oper)) + QStringLiteral(" AND OperId<>") +
                       QString::number(operId));
}

bool Tdm::NowyOpisTransOK(const QString& opis) {
    // Stored texts are kept as typed: their surrounding blanks count no more than the new one's.
    return countIsZero(QStringLiteral("FROM Operacja\nWHERE UPPER(TRIM(OPIS))=") +
                       sqlStr(lsTrimUP(opis)));
}

bool Tdm::EditOpisTransOK(const QString& opis, int wpisId) {
    return countIsZero(QStringLiteral("FROM Operacja\nWHERE UPPER(TRIM(Opis))=") +
                       sqlStr(lsTrimUP(opis)) + QStringLiteral(" AND WpisId<>") +
                       QString::number(wpisId));
}
