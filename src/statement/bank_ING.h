#pragma once

#include "FTypy.h"

class TWyciagING : public TWyciagAbs {
public:
    TWyciagING();
    TBank Bank() const override { return bk_ING; }

protected:
    QString SeparatorSubpola() const override { return QStringLiteral("~"); }
};
