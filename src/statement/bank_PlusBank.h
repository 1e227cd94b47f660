#pragma once

#include "FTypy.h"

class TWyciagPlusBank : public TWyciagAbs {
public:
    TWyciagPlusBank();
    TBank Bank() const override { return bk_PLUS_Bank; }

protected:
    QString SeparatorSubpola() const override { return QStringLiteral("<"); }
    int PoleKonto() const override { return 27; }
};
