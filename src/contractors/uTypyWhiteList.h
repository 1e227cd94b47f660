#pragma once

#include <QString>

// The subject of a white-list answer, as far as the client reads it.
struct recWhiteListSubject {
    QString Name;
    QString Nip;
    QString StatusVat; // "Czynny", "Zwolniony", "Niezarejestrowany" as the service says
    QString Regon;
    QString Krs;
    QString residenceAddress;
    QString workingAddress;
    QString accountNumbers; // the raw text of the account list
};
