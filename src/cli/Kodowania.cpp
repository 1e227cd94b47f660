#include "Kodowania.h"

#include "Cli.h"

namespace cli {

TKodowanie kodowanieZNazwy(const QString& nazwa) {
    const QString n = nazwa.toLower();
    if (n == u"utf-8")
        return TKodowanie::kdUTF_8;
    if (n == u"windows-1250")
        return TKodowanie::kdWin_1250;
    if (n == u"iso-8859-2")
        return TKodowanie::kdISO_8859_2;
    if (n == u"cp-852")
        return TKodowanie::kdCP_852;
    throw UsageError("unknown encoding: " + nazwa.toStdString());
}

} // namespace cli
