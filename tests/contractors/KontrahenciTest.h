#pragma once

#include "Kontrahenci.h"
#include "TestDatabase.h"
#include "TestPrinters.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

// A fresh database with the contractor list open, and helpers for contractors and accounts.
class KontrahenciTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        data->openStartupLists();
    }
    QStringList uwagi() const { return messages->texts(); }
    int klientOId(const QString& nip) {
        return scalar(QStringLiteral("SELECT KLIENTID FROM KLIENT WHERE NR_NIP = '%1'").arg(nip))
            .toInt();
    }
    void naKlienta(int id) {
        ASSERT_TRUE(data->Klient.locate(QStringLiteral("KLIENTID"), id)) << id;
    }
    int biezacy() const { return data->Klient.field(QStringLiteral("KLIENTID")).toInt(); }
    QString znakRB(int id) {
        for (int i = 0; i < data->Klient.recordCount(); ++i)
            if (data->Klient.row(i)[QStringLiteral("KLIENTID")].toInt() == id)
                return data->Klient.row(i)[QStringLiteral("KONTOTN")].toString().trimmed();
        return QStringLiteral("<brak>");
    }
};

inline const QString NipA = QStringLiteral("5260250274");
inline const QString NipB = QStringLiteral("7740001454");
inline const QString NrbA = QStringLiteral("61109010140000071219812874");
inline const QString NrbB = QStringLiteral("10105000997603123456789123");

// Acts on the modal dialog once it is shown; when none is shown, `act` gets nullptr.
inline void gdyOknoModalne(std::function<void(QDialog*)> act) {
    QTimer::singleShot(0,
                       [act] { act(qobject_cast<QDialog*>(QApplication::activeModalWidget())); });
}
