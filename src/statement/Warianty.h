#pragma once

#include "Banki.h"
#include "Dialekty.h"
#include "FTypy.h"

#include <memory>

// The banks whose statements are read with a dialect of their own; any other bank's
// statement is read when its field 86 follows one of the general shapes.
inline constexpr TBanki ObslugiwaneBanki{bk_ING,        bk_BZWBK,    bk_Alior_Bank, bk_BPH,
                                         bk_PKOBP,      bk_mBank,    bk_Pekao,      bk_Paribas,
                                         bk_Millennium, bk_Nest_Bank};

// A new, empty statement of the bank's dialect; null for a bank that has none. Plus Bank's
// layout is read only when named.
std::shared_ptr<TWyciagAbs> UtworzWyciag(TBank bank);
std::shared_ptr<TWyciagAbs> UtworzWyciag(const Dialekt& dialekt);
