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
} // namespace cli
