#pragma once

#include "FTypy.h"

class TWyciagPekao : public TWyciagAbs {
public:
    TWyciagPekao();
    TBank Bank() const override { return bk_Pekao; }

protected:
    QString SeparatorSubpola() const override { return QStringLiteral("^"); }
    const TNumeryPol& PolaOpis() const override { return FPolaOpis; }
    const TNumeryPol& PolaNazwa() const override { return FPolaNazwa; }
    int PoleKonto() const override { return 38; }

private:
    TNumeryPol FPolaOpis;
    TNumeryPol FPolaNazwa;
};
