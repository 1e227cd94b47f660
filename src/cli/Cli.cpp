#include "Cli.h"

#include "Dziennik.h"
#include "IniFile.h"
#include "Konfig.h"
#include "Rozliczenia.h"
#include "SchemaVersion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace cli {

QString Args::option(const QString& name, const QString& fallback) {
    const QString key = QStringLiteral("--") + name;
    for (qsizetype i = 0; i < args_.size(); ++i) {
        if (args_[i] == key) {
            if (i + 1 >= args_.size())
                throw UsageError("missing value after " + key.toStdString());
            const QString v = args_[i + 1];
            args_.remove(i, 2);
            return v;
        }
        if (args_[i].startsWith(key + u'=')) {
            const QString v = args_[i].mid(key.size() + 1);
            args_.remove(i);
            return v;
        }
    }
    return fallback;
}

bool Args::flag(const QString& name) {
    return args_.removeAll(QStringLiteral("--") + name) > 0;
}

QStringList Args::positional() const {
    for (const QString& a : args_)
        if (a.startsWith(QStringLiteral("--")))
            throw UsageError("unknown option " + a.toStdString());
    return args_;
}

void out(const QString& text) {
    const QByteArray b = (text + u'\n').toUtf8();
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), stdout);
}

void err(const QString& text) {
    QString t = text;
    t.replace(u'\r', u'\n');
    const QByteArray b = (t + u'\n').toUtf8();
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), stderr);
}

QString databaseFromArgs(Args& args) {
    const QString db = args.option(QStringLiteral("db"));
    if (!db.isEmpty())
        return db;
    const QString ini =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Brevant.ini"));
    if (!QFileInfo::exists(ini))
        throw std::runtime_error("Brak pliku konfiguracyjnego: " + ini.toStdString());
    const QString value = IniFile(ini).value(QStringLiteral("Baza"), QStringLiteral("Plik"));
    if (value.isEmpty())
        throw std::runtime_error("Nie określono nazwy pliku bazy danych w pliku konfiguracyjnym");
    return value;
}

db::ConnectionParams connectionFromArgs(Args& args, bool requireDb) {
    db::ConnectionParams p;
    QString user = args.option(QStringLiteral("user"));
    QString password = args.option(QStringLiteral("password"));
    if (requireDb)
        p.database = databaseFromArgs(args);
    if (user.isEmpty())
        user = qEnvironmentVariable("ISC_USER");
    if (password.isEmpty())
        password = qEnvironmentVariable("ISC_PASSWORD");
    const KonfigLogin ini = czytajLogin(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Brevant.ini")));
    p.user = user.isEmpty() ? ini.user : user;
    p.password = password.isEmpty() ? ini.password : password;
    return p;
}

void requireCurrentSchema(db::Attachment& att) {
    try {
        checkSchemaVersion(att);
    } catch (const SchemaMismatch& e) {
        if (!e.older())
            throw Refused(e.message());
        throw Refused(e.message() +
                      QStringLiteral("\rZaktualizuj ją poleceniem: brevant-cli upgrade-db --db ") +
                      e.database());
    }
    // Every subcommand on a database comes here before its work: what it changes is logged
    // under its own name and the system user's.
    dziennik::UstawOperatora(att, operatorCli());
}

QString operatorCli() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    return user.isEmpty() ? QStringLiteral("brevant-cli")
                          : QStringLiteral("brevant-cli (") + user + u')';
}

QString jsonString(const QString& s) {
    QString r;
    r.reserve(s.size() + 2);
    r += u'"';
    for (const QChar c : s) {
        if (c == u'"' || c == u'\\') {
            r += u'\\';
            r += c;
        } else if (c.unicode() < 0x20) {
            r += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            r += c;
        }
    }
    r += u'"';
    return r;
}

int klientIdZ(const QString& tekst) {
    bool ok = false;
    const int id = tekst.trimmed().toInt(&ok);
    if (!ok || id <= 0)
        throw Refused(QStringLiteral("Identyfikator kontrahenta musi być liczbą dodatnią: ") +
                      tekst);
    return id;
}

QString nazwaKlientaZ(Tdm& data, int klientId) {
    const std::optional<QString> nazwa = NazwaKlienta(data, klientId);
    if (!nazwa)
        throw Refused(QStringLiteral("Nie ma kontrahenta o identyfikatorze %1.").arg(klientId));
    return *nazwa;
}

QDate dataZ(const QString& tekst, const QString& opcja) {
    const QDate d = QDate::fromString(tekst.trimmed(), Qt::ISODate);
    if (!d.isValid() || tekst.trimmed().size() != 10)
        throw Refused(QStringLiteral("Nieprawidłowa data w %1: „%2” (wymagana RRRR-MM-DD).")
                          .arg(opcja, tekst));
    return d;
}

} // namespace cli
