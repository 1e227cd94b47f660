#pragma once

#include "fdm.h"
#include "komun.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A fresh database file made from the program's schema, in a folder removed afterwards.
// The schema is run once per test process; every further database is a copy of that file.
class TestDatabase {
public:
    TestDatabase();
    const QString& path() const { return path_; }
    const QString& folder() const { return folderPath_; }

private:
    QTemporaryDir dir_;
    QString folderPath_;
    QString path_;
};

// A test with a fresh database, the shared data module connected to it (as `dm`), and
// the message boxes recorded.
class DbTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs one statement in a transaction of its own.
    void exec(const QString& sql);
    // The first column of the first row of a query (null when no row).
    db::Value scalar(const QString& sql);
    int count(const QString& sqlFromWhere); // SELECT COUNT(*) + the given text

    // Rows the tests start from; a null prefix or tax number is stored as NULL.
    void addKlient(int klientId, const QString& nazwa, const QString& krNip = QString(),
                   const QString& nrNip = QString());
    void addKonto(int wpisId, int klientId, const QString& krKonto, const QString& nrKonto,
                  const QString& pomijaj = QStringLiteral("N"));
    // A row entered by the user; the amounts are SQL literals, "NULL" for none.
    void addTrans(int wpisId, int klientId, const char* doZaplaty, const char* zaplacono);

    std::unique_ptr<TestDatabase> database;
    std::unique_ptr<Tdm> data;
    std::unique_ptr<komun::Recorder> messages;
};

inline constexpr char TestAdminPassword[] = "tajne123";
