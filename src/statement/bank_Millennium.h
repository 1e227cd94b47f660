#pragma once

#include "FTypy.h"

class TWyciagMillennium : public TWyciagAbs {
public:
    TWyciagMillennium();
    TBank Bank() const override { return bk_Millennium; }

protected:
    QString SeparatorSubpola() const override { return QStringLiteral("<"); }
};
