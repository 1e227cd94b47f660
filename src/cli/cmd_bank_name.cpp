#include "Commands.h"

#include "Banki.h"

namespace cli {

// The name of the bank that keeps an account; an empty line when it is not known.
int bankName(Args args) {
    const QStringList pos = args.positional();
    if (pos.isEmpty())
        throw UsageError("expected an account number");
    // A number written in groups may come as several arguments.
    out(NazwaBanku(pos.join(u' ')));
    return ExitOk;
}

} // namespace cli
