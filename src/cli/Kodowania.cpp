#include "Kodowania.h"

#include "Cli.h"

namespace cli {

TKodowanie kodowanieZNazwy(const QString& nazwa) {
    const QString n = nazwa.toLower();
    if (n.isEmpty() || n == u"detect")
        return TKodowanie::kdWykryj;
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

std::optional<TBank> bankZNazwy(const QString& nazwa) {
    if (nazwa.isEmpty())
        return std::nullopt;
    const struct {
        const char* nazwa;
        TBank bank;
    } banki[] = {{"pko", bk_PKOBP},
                 {"ing", bk_ING},
                 {"santander", bk_BZWBK},
                 {"bzwbk", bk_BZWBK},
                 {"erste", bk_BZWBK},
                 {"alior", bk_Alior_Bank},
                 {"bph", bk_BPH},
                 {"pekao", bk_Pekao},
                 {"bnp", bk_Paribas},
                 {"mbank", bk_mBank},
                 {"millennium", bk_Millennium},
                 {"nest", bk_Nest_Bank},
                 {"plusbank", bk_PLUS_Bank}};
    for (const auto& b : banki)
        if (nazwa.toLower() == QLatin1String(b.nazwa))
            return b.bank;
    throw UsageError("unknown bank: " + nazwa.toStdString());
}

} // namespace cli
