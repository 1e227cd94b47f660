#pragma once

#include "FTypy.h"

class TWyciagAlior : public TWyciagAbs {
public:
    TWyciagAlior();
    TBank Bank() const override { return bk_Alior_Bank; }

protected:
    QString SeparatorSubpola() const override { return QStringLiteral("<"); }
};
