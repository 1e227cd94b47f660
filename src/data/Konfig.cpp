#include "Konfig.h"

#include "Globals.h"
#include "IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

bool KonfigOK() {
    return KonfigOK(QCoreApplication::applicationDirPath());
}

bool KonfigOK(const QString& folder) {
    Globals::KonfigErr.clear();
    const QString path = QDir::toNativeSeparators(QDir(folder).filePath(KonfigFileName));
    if (!QFileInfo::exists(path)) {
        Globals::KonfigErr = QStringLiteral("Brak pliku konfiguracyjnego: \r") + path;
        return false;
    }
    Globals::DatabaseFile = IniFile(path).value(QStringLiteral("Baza"), QStringLiteral("Plik"));
    const KonfigLogin login = czytajLogin(path);
    Globals::DatabaseUser = login.user;
    Globals::DatabasePassword = login.password;
    if (Globals::DatabaseFile.isEmpty()) {
        Globals::KonfigErr =
            QStringLiteral("Nie określono nazwy pliku bazy danych\rw pliku konfiguracyjnym");
        return false;
    }
    return true;
}

QString BialaListaAdres() {
    return BialaListaAdres(QCoreApplication::applicationDirPath());
}

namespace {
QString adresUslugi(const QString& folder, const QString& sekcja) {
    const QString path = QDir(folder).filePath(KonfigFileName);
    if (!QFileInfo::exists(path))
        return {};
    return IniFile(path).value(sekcja, QStringLiteral("Adres")).trimmed();
}
} // namespace

QString BialaListaAdres(const QString& folder) {
    return adresUslugi(folder, QStringLiteral("BialaLista"));
}

QString NbpAdres() {
    return NbpAdres(QCoreApplication::applicationDirPath());
}

QString NbpAdres(const QString& folder) {
    return adresUslugi(folder, QStringLiteral("NBP"));
}

KonfigLogin czytajLogin(const QString& iniPath) {
    KonfigLogin l{QStringLiteral("sysdba"), QStringLiteral("tubaplank")};
    if (!QFileInfo::exists(iniPath))
        return l;
    const IniFile ini(iniPath);
    const QString user = ini.value(QStringLiteral("Baza"), QStringLiteral("Uzytkownik"));
    const QString password = ini.value(QStringLiteral("Baza"), QStringLiteral("Haslo"));
    if (!user.isEmpty())
        l.user = user;
    if (!password.isEmpty())
        l.password = password;
    return l;
}
