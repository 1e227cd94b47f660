#include "BlokadaKsiegowania.h"
#include "Commands.h"
#include "Error.h"
#include "Globals.h"
#include "Zakonczenie.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>

#include <exception>
#include <functional>

namespace {
struct Subcommand {
    const char* name;
    const char* usage;
    std::function<int(cli::Args)> run;
};

const Subcommand subcommands[] = {
    {"create-db", "create-db PATH|HOST:/PATH [--admin-password P] [--user U] [--password P]",
     cli::createDb},
    {"upgrade-db", "upgrade-db [--db DATABASE] [--user U] [--password P]", cli::upgradeDb},
    {"words", "words AMOUNT", cli::words},
    {"invoices", "invoices FILE [--json]", cli::invoices},
    {"book-invoices",
     "book-invoices FILE [--db DATABASE] [--user U] [--password P] --unknown add|skip|abort",
     cli::book_invoices},
    {"statement",
     "statement FILE [--encoding detect|utf-8|windows-1250|iso-8859-2|cp-852] "
     "[--bank pko|ing|santander|alior|pekao|bnp|mbank|millennium|nest|plusbank] [--json]",
     cli::statement},
    {"bank-name", "bank-name ACCOUNT", cli::bankName},
    {"check-account", "check-account ACCOUNT", cli::checkAccount},
    {"check-nip", "check-nip NIP", cli::checkNip},
    {"print",
     "print receipt WPISID --pdf OUT [--db DATABASE] | "
     "print debtors|overpayments|ageing [--as-of YYYY-MM-DD] --pdf OUT|--csv OUT "
     "[--db DATABASE]",
     cli::print},
    {"book-statement",
     "book-statement FILE [--db DATABASE] [--user U] [--password P] [--encoding E] "
     "[--bank B] [--match-names]",
     cli::bookStatement},
    {"unbook-statement", "unbook-statement WPISID [--db DATABASE]", cli::unbookStatement},
    {"unbook-invoices", "unbook-invoices FILE [--db DATABASE]", cli::unbookInvoices},
    {"contractors", "contractors [--db DATABASE] [--json]", cli::contractors},
    {"merge", "merge KEEP OTHER [--db DATABASE]", cli::merge},
    {"balances", "balances [--db DATABASE] [--debtors|--overpayments] [--json]", cli::balances},
    {"ledger", "ledger KLIENTID [--db DATABASE] [--json]", cli::ledger},
    {"rebook", "rebook WPISID KLIENTID [--db DATABASE]", cli::rebook},
    {"whitelist", "whitelist NIP [--date YYYY-MM-DD] [--url BASE] [--ca PEM] [--json]",
     cli::whitelist},
    {"add-contractors",
     "add-contractors FILE [--db DATABASE] [--fetch-accounts] [--url BASE] [--ca PEM]",
     cli::addContractors},
    {"fetch-accounts", "fetch-accounts [--missing] [--db DATABASE] [--url BASE] [--ca PEM]",
     cli::fetchAccounts},
    {"correct-names", "correct-names FILE [--db DATABASE]", cli::correctNames},
    {"ageing", "ageing [--db DATABASE] [--as-of YYYY-MM-DD] [--json] [--csv OUT|--pdf OUT]",
     cli::ageing},
    {"open-items", "open-items KLIENTID [--db DATABASE] [--json]", cli::openItems},
    {"rates",
     "rates [--db DATABASE] [--json] | rates add commercial|civil FROM PERCENT "
     "[--healthcare PERCENT] | rates eur [--json] | rates eur add DATE RATE | "
     "rates eur fetch FROM-MONTH [TO-MONTH] [--url BASE] [--ca PEM]",
     cli::rates},
    {"interest", "interest KLIENTID --to YYYY-MM-DD [--db DATABASE] [--json] [--pdf OUT]",
     cli::interest},
    {"reminders",
     "reminders --overdue N [--date YYYY-MM-DD] [--days N] [--db DATABASE] [--json] "
     "[--pdf DIR|OUT.pdf]",
     cli::reminders},
    {"confirmations",
     "confirmations --as-of YYYY-MM-DD [--date YYYY-MM-DD] [--db DATABASE] [--json] "
     "[--pdf DIR|OUT.pdf]",
     cli::confirmations},
    {"log", "log [--from YYYY-MM-DD] [--db DATABASE] [--json]", cli::log},
};

int usage() {
    cli::err(QStringLiteral("Użycie: brevant-cli POLECENIE [ARGUMENTY]\rPolecenia:"));
    for (const auto& s : subcommands)
        cli::err(QStringLiteral("  ") + QString::fromUtf8(s.usage));
    return cli::ExitError;
}
} // namespace

int main(int argc, char** argv) {
    // SIGTERM, SIGINT, SIGHUP: the running statement is cancelled, a booking run rolls back
    // and the command ends with an error below. Installed before any thread starts.
    zakonczenie::install();
    // Said at once: a run that takes longer to roll back is ended after the grace period.
    zakonczenie::setOnRequest([] { cli::err(QString::fromUtf8(zakonczenie::Przerwano().what())); });
    QCoreApplication app(argc, argv);
    // Amounts in report lines read as in the program's windows.
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    // Scheduled imports and tests may wait for another workstation's booking for a shorter
    // (or longer) time than the program's 30 s.
    if (const int s = qEnvironmentVariableIntValue("BREVANT_LOCK_TIMEOUT"); s > 0)
        UstawCzasOczekiwaniaNaBlokade(s);
    // Who books from the command line, as the import history shows it.
    Globals::App_Operator = cli::operatorCli().left(30);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString name = args.takeFirst();
    for (const auto& s : subcommands) {
        if (name != QString::fromUtf8(s.name))
            continue;
        try {
            return s.run(cli::Args(args));
        } catch (const cli::Refused& e) {
            cli::err(e.message());
            return cli::ExitRefused;
        } catch (const BlokadaZajeta&) {
            cli::err(BlokadaZajeta::komunikat());
            return cli::ExitRefused;
        } catch (const db::Error& e) {
            if (e.isLockTimeout()) {
                cli::err(BlokadaZajeta::komunikat());
                return cli::ExitRefused;
            }
            if (zakonczenie::requested())
                return cli::ExitError;
            cli::err(e.message());
            return cli::ExitError;
        } catch (const cli::UsageError& e) {
            cli::err(QString::fromUtf8(e.what()));
            cli::err(QStringLiteral("Użycie: brevant-cli ") + QString::fromUtf8(s.usage));
            return cli::ExitError;
        } catch (const std::exception& e) {
            if (zakonczenie::requested())
                return cli::ExitError; // already said by the request
            cli::err(QString::fromUtf8(e.what()));
            return cli::ExitError;
        }
    }
    return usage();
}
