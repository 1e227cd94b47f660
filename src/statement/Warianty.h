#pragma once

#include "Banki.h"
#include "Interfejsy.h"

#include <QString>

#include <memory>

// The banks whose statements the payment import reads.
inline constexpr TBanki ObslugiwaneBanki{bk_ING, bk_BZWBK, bk_Alior_Bank};

// A new, empty statement of the bank's variant; null for a bank that has no variant.
std::shared_ptr<IWyciag> UtworzWyciag(TBank bank);
