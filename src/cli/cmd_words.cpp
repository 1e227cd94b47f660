#include "Commands.h"

#include "TekstNum.h"

namespace cli {

int words(Args args) {
    const QStringList pos = args.positional();
    if (pos.size() != 1)
        throw UsageError("expected one amount");
    const auto amount = Money::parse(pos[0]);
    if (!amount)
        throw UsageError("not an amount written with a full stop: " + pos[0].toStdString());
    out(Slownie(*amount));
    return ExitOk;
}

} // namespace cli
