#include "Warianty.h"

std::shared_ptr<TWyciagAbs> UtworzWyciag(const Dialekt& dialekt) {
    return std::make_shared<TWyciagAbs>(dialekt);
}

std::shared_ptr<TWyciagAbs> UtworzWyciag(TBank bank) {
    if (bank == bk_PLUS_Bank)
        return UtworzWyciag(dialekty::PlusBank);
    const Dialekt* d = DialektBanku(bank);
    return d ? UtworzWyciag(*d) : nullptr;
}
