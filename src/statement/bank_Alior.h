#pragma once

#include "FTypy.h"

class TWyciagAlior : public TWyciagAbs {
public:
    TWyciagAlior();
    TBank Bank() const override { return bk_Alior_Bank; }

protected:
    QString SeparatorSubpola() const override { return QStringLiteral("<"); }
    const TNumeryPol& PolaOpis() const override { return FPolaOpis; }
    const TNumeryPol& PolaNazwa() const override { return FPolaNazwa; }
    int PoleKonto() const override { return 38; }

private:
    TNumeryPol FPolaOpis;
    TNumeryPol FPolaNazwa;
};
