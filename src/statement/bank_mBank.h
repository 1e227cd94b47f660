#pragma once

#include "FTypy.h"

class TWyciagmBank : public TWyciagAbs {
public:
    TWyciagmBank();
    TBank Bank() const override { return bk_mBank; }

protected:
    QString SeparatorSubpola() const override { return QStringLiteral("~"); }
};
