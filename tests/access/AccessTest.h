#pragma once

#include "SHA1.h"
#include "TestDatabase.h"
#include "TestPrinters.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

// A fresh database (holding "Administrator" with TestAdminPassword) and helpers for operators.
class AccessTest : public DbTest {
protected:
    void dodajOperatora(int id, const QString& nazwa, const QString& haslo) {
        exec(QStringLiteral("INSERT INTO OPERATOR (OPERID, NAZWA, HASLO) VALUES (%1, '%2', '%3')")
                 .arg(id)
                 .arg(nazwa, SHA1Digest(haslo)));
    }
    QString haslo(int operId) {
        return scalar(QStringLiteral("SELECT HASLO FROM OPERATOR WHERE OPERID = %1").arg(operId))
            .toString();
    }
    QString nazwa(int operId) {
        return scalar(QStringLiteral("SELECT NAZWA FROM OPERATOR WHERE OPERID = %1").arg(operId))
            .toString();
    }
    QStringList uwagi() const { return messages->texts(); }
};

// Acts on the modal dialog once it is shown; when none is shown, `act` gets nullptr.
inline void gdyOknoModalne(std::function<void(QDialog*)> act) {
    QTimer::singleShot(0,
                       [act] { act(qobject_cast<QDialog*>(QApplication::activeModalWidget())); });
}
