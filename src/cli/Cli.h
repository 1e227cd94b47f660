#pragma once

#include "Attachment.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <stdexcept>

class Tdm;

// Shared plumbing of the command-line companion's subcommands.
namespace cli {

// Exit statuses: done, any error, input refused by a check the window would make.
inline constexpr int ExitOk = 0;
inline constexpr int ExitError = 1;
inline constexpr int ExitRefused = 2;

// Thrown by a subcommand when the input was refused with the window's own message.
class Refused : public std::runtime_error {
public:
    explicit Refused(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

// Thrown for wrong usage of a subcommand.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Arguments after the subcommand's name: positional values and --options.
class Args {
public:
    explicit Args(QStringList args) : args_(std::move(args)) {}
    // Value of "--name VALUE" (or "--name=VALUE"); removed from the list when taken.
    QString option(const QString& name, const QString& fallback = {});
    bool flag(const QString& name);
    // The remaining positional arguments; throws UsageError for an unknown option.
    QStringList positional() const;
    // The arguments not taken yet, as given.
    const QStringList& remaining() const { return args_; }

private:
    QStringList args_;
};

// What `print` is asked for: the printout, its row and where it goes.
struct ZlecenieDruku {
    enum class Co { Dowod, Dluznicy, Nadplaty, Wiekowanie };
    Co co = Co::Dowod;
    int wpisId = 0;
    QDate naDzien; // the ageing's day
    QString pdf;
    QString csv;
    db::ConnectionParams baza;
};
// Reads and checks the arguments of `print`; throws UsageError.
ZlecenieDruku czytajZlecenieDruku(Args& args);

void out(const QString& text); // to standard output, UTF-8, with a line break
void err(const QString& text); // to standard error, "\r" shown as a line break
// The database named by --db, else by "Plik" of Brevant.ini beside the executable.
QString databaseFromArgs(Args& args);
// The database with the server's user and password: --user/--password, else ISC_USER and
// ISC_PASSWORD, else "Uzytkownik"/"Haslo" of Brevant.ini beside the executable, else the
// program's defaults. With requireDb false a missing --db is no error (database left empty).
db::ConnectionParams connectionFromArgs(Args& args, bool requireDb = true);
// Refuses (exit 2) a database of another schema version than the program's.
// The database's schema must be this program's; the change log then names the command line
// (operatorCli) for what the subcommand changes.
void requireCurrentSchema(db::Attachment& att);
QString operatorCli();

// A JSON string literal: quotes, backslashes and control characters escaped.
QString jsonString(const QString& s);
// A contractor's identifier given as an argument; refused (exit 2) unless a positive number.
int klientIdZ(const QString& tekst);
// The name of the contractor with that identifier; refused (exit 2) when there is none.
QString nazwaKlientaZ(Tdm& data, int klientId);
// A day given as YYYY-MM-DD; refused (exit 2) otherwise, naming the option.
QDate dataZ(const QString& tekst, const QString& opcja);

// `print` to PDF and other printouts: brevant-print beside brevant-cli does the drawing, with
// these arguments; its exit status.
int drukujPrzezBrevantPrint(const QStringList& argumenty);
// The ageing as of the day written to a CSV file; prints where.
int zapiszWiekowanieCsv(const db::ConnectionParams& baza, const QDate& naDzien,
                        const QString& plik);

// What `interest`, `reminders` and `confirmations` are asked for; brevant-print reads the same.
struct ZlecenieWindykacji {
    enum class Co { Odsetki, Wezwania, Potwierdzenia };
    Co co = Co::Odsetki;
    int klientId = 0;      // interest: the contractor
    QDate doDnia;          // interest: counted to; reminders: their date; confirmations: as of
    QDate dataWystawienia; // of reminders and confirmations: today
    int ponadDni = 0;      // reminders: invoices overdue more than this
    int terminDni = 7;     // reminders: days to pay
    bool json = false;
    // PDF: a file, or for reminders and confirmations a folder with a file per contractor
    // (a name ending in ".pdf": one file, a contractor a page on)
    QString pdf;
    db::ConnectionParams baza;
};
// Reads and checks the arguments after the subcommand `co` (interest|reminders|confirmations).
ZlecenieWindykacji czytajZlecenieWindykacji(const QString& co, Args& args);
// The contractors' documents go to one file rather than a folder.
bool jedenPlikPdf(const QString& pdf);

} // namespace cli
