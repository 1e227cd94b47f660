#pragma once

#include "Cli.h"
#include "JpkReader.h"

namespace cli {

// The JPK_FA file named by the one positional argument; the reader's refusal is the command's.
inline JpkDocument otworzJpk(const Args& args) {
    const QStringList pos = args.positional();
    if (pos.size() != 1)
        throw UsageError("expected one file name");
    try {
        return JpkDocument::open(pos[0]);
    } catch (const JpkRefused& e) {
        throw Refused(e.message());
    }
}

} // namespace cli
