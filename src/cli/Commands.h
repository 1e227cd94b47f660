#pragma once

#include "Cli.h"

// One function per subcommand, each in a file of its own; main.cpp lists them.
namespace cli {
int createDb(Args args);
int upgradeDb(Args args);
int words(Args args);
int invoices(Args args);
int book_invoices(Args args);
int statement(Args args);
int bookStatement(Args args);
int bankName(Args args);
int checkAccount(Args args);
int checkNip(Args args);
int print(Args args);
int contractors(Args args);
int merge(Args args);
int balances(Args args);
int ledger(Args args);
int rebook(Args args);
int whitelist(Args args);
int addContractors(Args args);
int fetchAccounts(Args args);
int unbookStatement(Args args);
int unbookInvoices(Args args);
int correctNames(Args args);
int ageing(Args args);
int openItems(Args args);
int rates(Args args);
int interest(Args args);
int reminders(Args args);
int confirmations(Args args);
int log(Args args);
} // namespace cli

class TWhiteListFrm;
namespace cli {
// --url (else "BialaLista"/"Adres" of Brevant.ini) and --ca (an extra authority to trust).
void ustawBialaListe(Args& args, TWhiteListFrm& wl);
} // namespace cli
