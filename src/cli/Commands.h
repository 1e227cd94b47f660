#pragma once

#include "Cli.h"

// One function per subcommand, each in a file of its own; main.cpp lists them.
namespace cli {
int createDb(Args args);
int words(Args args);
int invoices(Args args);
int book_invoices(Args args);
} // namespace cli
