#pragma once

#include <QString>

inline const QString KonfigFileName = QStringLiteral("Brevant.ini");

// Reads "Baza"/"Plik" of the configuration file beside the executable into
// Globals::DatabaseFile, and the server credentials "Uzytkownik"/"Haslo" (the program's
// defaults when absent); on failure sets Globals::KonfigErr and returns false.
bool KonfigOK();
// The same, for a configuration file in the given folder.
bool KonfigOK(const QString& folder);

// "BialaLista"/"Adres" of the configuration file beside the executable (or in the given
// folder): the VAT white-list server to ask; empty when the file or the key is missing.
QString BialaListaAdres();
QString BialaListaAdres(const QString& folder);
// "NBP"/"Adres": the NBP web API to fetch euro rates from; empty when missing.
QString NbpAdres();
QString NbpAdres(const QString& folder);
// The server credentials of a configuration file, the program's defaults for what it lacks.
struct KonfigLogin {
    QString user;
    QString password;
};
KonfigLogin czytajLogin(const QString& iniPath);
