#pragma once

#include "Attachment.h"
#include "Dataset.h"
#include "IdCounter.h"
#include "Money.h"
#include "SchemaVersion.h"
#include "Transaction.h"

#include <QObject>
#include <QString>

#include <memory>

// The shared data module: the connection, the lists several windows show, and the database
// services every window calls (identifiers, lookups, uniqueness checks, single writes).
class Tdm : public QObject {
    Q_OBJECT
public:
    explicit Tdm(QObject* parent = nullptr);
    ~Tdm() override;

    // Start-up: read the configuration, connect, open the start-up lists. False when the
    // program must end (the error box has been shown).
    bool DataModuleCreate();
    // The same with the configuration file looked for in the given folder.
    bool DataModuleCreate(const QString& configFolder);
    // Connects to the given database (a path or host:/path). Errors reach the caller.
    void connect(const QString& database, bool forceEmbedded = false);
    void connect(const db::ConnectionParams& params);
    // The database with the configured server credentials.
    static db::ConnectionParams connectionParams(const QString& database,
                                                 bool forceEmbedded = false);
    void closeConnection();
    bool connected() const { return conn.isOpen(); }
    // The connected database's schema version against the program's: an older database is
    // upgraded when the user agrees (after a backup), a newer one refused. False when the
    // program must end (the connection is closed and the user told why).
    bool sprawdzWersjeBazy();
    // Who shows how far an upgrade started by sprawdzWersjeBazy is (the program: a progress
    // window; nothing by default).
    void setPostepAktualizacji(UpgradeProgress postep) { postepAktualizacji_ = std::move(postep); }
    // The start-up lists: contractors, accounts and transactions (the last two empty).
    void openStartupLists();

    // Identifiers and writes
    void ExecuteSQL(const QString& sql);
    int NextId();
    int ReserveIds(int count); // the first of count consecutive identifiers
    void UdpdateSaldo(int klientId, Money doZaplaty, Money zaplacono);
    bool UsunKlienta(int klientId);
    bool DopiszKonto(const QString& nip, const QString& konto);

    // Opening the shared lists
    bool OpenTbl(Dataset& table, const QString& displayName);
    bool OpenQry(Dataset& query, const QString& displayName);
    bool OtworzKlient();
    bool OtworzKontoKL(int klientId);
    bool OtworzTransKL(int klientId);
    bool OtworzSalda();
    bool OtworzDluznicy();
    bool OtworzNadplaty();
    bool OtworzOperacje();
    bool OtworzOperator();
    bool OtworzDowodWP(int wpisId);

    // Lookups
    Money SaldoKlienta(int klientId);
    QString NazwaKlienta(int klientId);
    bool jestFirma();
    bool SaMinDwieFirmy();
    bool jestKlient(const QString& nip);
    bool KlientMaKonto(int klientId);
    bool JestWyciag(const QString& liniaSalda, const QString& nrKonta);

    // Uniqueness checks before a save: true when the value may be saved
    bool NowyKontoOK(const QString& kr, const QString& konto);
    bool EditKontoOK(const QString& kr, const QString& konto, int wpisId);
    bool NowyNipOK(const QString& kr, const QString& nip);
    bool EditNipOK(const QString& kr, const QString& nip, int klientId);
    bool NowyOperatorOK(const QString& oper);
    bool EditOperatorOK(const QString& oper, int operId);
    bool NowyOpisTransOK(const QString& opis);
    bool EditOpisTransOK(const QString& opis, int wpisId);

    db::Attachment conn;

    db::Transaction trKlient{conn};
    db::Transaction trKontoKL{conn};
    db::Transaction trTransKL{conn};
    db::Transaction trSaldoKL{conn};
    db::Transaction trSalda{conn};
    db::Transaction trDluznicy{conn};
    db::Transaction trNadplaty{conn};
    db::Transaction trDowodWP{conn};
    db::Transaction trOperator{conn};
    db::Transaction trOperacja{conn};
    db::Transaction trRead{conn, db::Isolation::ReadCommitted};
    db::Transaction trQQ{conn};
    db::Transaction trWrite{conn};

    Dataset Klient{trKlient, {}};
    Dataset KontoKL{trKontoKL, {}};
    Dataset TransKL{trTransKL, {}};
    Dataset SaldoKL{trSaldoKL, {}};
    Dataset Salda{trSalda, {}};
    Dataset Dluznicy{trDluznicy, {}};
    Dataset Nadplaty{trNadplaty, {}};
    Dataset DowodWP{trDowodWP, {}};
    Dataset OperatorXE{trOperator, {}};
    Dataset Operacja{trOperacja, {}};

    // The text of the last statement each lookup ran (the lookups replace it).
    QString rqSql, qqSql, ibSqlText;

private:
    UpgradeProgress postepAktualizacji_;
    bool reopenQuietly(Dataset& ds);
    // Runs a counting statement on rq in trRead; true when it counted 0. False on error.
    bool countIsZero(const QString& sql);
    template <typename F> auto onRq(const QString& sql, F&& readRows);

    std::unique_ptr<IdCounter> ids_;
};

// Runs one write statement in its own transaction through the shared data module.
void ExecuteSQL(const QString& sql);
