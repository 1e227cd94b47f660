#include "Warianty.h"

#include "bank_Alior.h"
#include "bank_BZWBK.h"
#include "bank_ING.h"
#include "bank_Millennium.h"
#include "bank_Pekao.h"
#include "bank_PlusBank.h"
#include "bank_mBank.h"

std::shared_ptr<IWyciag> UtworzWyciag(TBank bank) {
    switch (bank) {
    case bk_Pekao:
        return std::make_shared<TWyciagPekao>();
    case bk_Alior_Bank:
        return std::make_shared<TWyciagAlior>();
    case bk_BZWBK:
        return std::make_shared<TWyciagBZWBK>();
    case bk_ING:
        return std::make_shared<TWyciagING>();
    case bk_Millennium:
        return std::make_shared<TWyciagMillennium>();
    case bk_mBank:
        return std::make_shared<TWyciagmBank>();
    case bk_PLUS_Bank:
        return std::make_shared<TWyciagPlusBank>();
    default:
        return nullptr;
    }
}
