#pragma once

#include "FTypy.h"

class TWyciagPekao : public TWyciagAbs {
public:
    TWyciagPekao();
    TBank Bank() const override { return bk_Pekao; }

protected:
    QString SeparatorSubpola() const override { return QStringLiteral("^"); }
};
