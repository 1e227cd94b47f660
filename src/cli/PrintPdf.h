#pragma once

#include "Cli.h"

namespace cli {
// brevant-print: a receipt or a list to PDF, with the arguments of `brevant-cli print`.
int printPdf(Args args);
} // namespace cli
