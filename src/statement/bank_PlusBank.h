#pragma once

#include "FTypy.h"

class TWyciagPlusBank : public TWyciagAbs {
public:
    TWyciagPlusBank();
    TBank Bank() const override { return bk_PLUS_Bank; }

protected:
    QString SeparatorSubpola() const override { return QStringLiteral("<"); }
    const TNumeryPol& PolaOpis() const override { return FPolaOpis; }
    const TNumeryPol& PolaNazwa() const override { return FPolaNazwa; }
    int PoleKonto() const override { return 27; }

private:
    TNumeryPol FPolaOpis;
    TNumeryPol FPolaNazwa;
};
