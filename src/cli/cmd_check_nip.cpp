#include "Commands.h"

#include "WeryfNum.h"

namespace cli {

// The NIP check of the contractor register: ten plain digits with a valid checksum.
int checkNip(Args args) {
    const QStringList pos = args.positional();
    if (pos.size() != 1)
        throw UsageError("expected one NIP");
    out(NipOk(pos[0]) ? QStringLiteral("true") : QStringLiteral("false"));
    return ExitOk;
}

} // namespace cli
