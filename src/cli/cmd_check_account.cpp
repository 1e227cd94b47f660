#include "Commands.h"

#include "WeryfNum.h"

namespace cli {

namespace {
QString tak(bool b) {
    return b ? QStringLiteral("true") : QStringLiteral("false");
}
} // namespace

// The rough and the full check of an account number written without its country prefix.
int checkAccount(Args args) {
    const QStringList pos = args.positional();
    if (pos.isEmpty())
        throw UsageError("expected an account number");
    const QString konto = pos.join(u' ');
    out(QStringLiteral("KontoZgrubOk: ") + tak(KontoZgrubOk(konto)));
    out(QStringLiteral("KontoOk: ") + tak(KontoOk(konto)));
    return ExitOk;
}

} // namespace cli
