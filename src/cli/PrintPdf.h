#pragma once

#include "Cli.h"

namespace cli {
// brevant-print: a receipt or a list to PDF, with the arguments of `brevant-cli print`.
int printPdf(Args args);
// The collection documents: `co` is interest, reminders or confirmations.
int printWindykacja(const QString& co, Args& args);
} // namespace cli
