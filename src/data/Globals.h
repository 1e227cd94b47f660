#pragma once

#include <QString>

class Tdm;

// Process-wide values of the running program.
namespace Globals {
inline QString DatabaseFile;                                   // "Plik" of the configuration
inline QString KonfigErr;                                      // why the configuration is unusable
// The database server's user and password: "Uzytkownik" and "Haslo" of the configuration.
inline QString DatabaseUser = QStringLiteral("sysdba");
inline QString DatabasePassword = QStringLiteral("tubaplank");
inline QString App_Operator = QStringLiteral("Administrator"); // the logged-in operator
inline bool PierwszaAktywacja = true; // until the main window's first activation
} // namespace Globals

// The single shared data module, created at start-up.
extern Tdm* dm;
