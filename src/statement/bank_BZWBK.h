#pragma once

#include "FTypy.h"

class TWyciagBZWBK : public TWyciagAbs {
public:
    TWyciagBZWBK();
    TBank Bank() const override { return bk_BZWBK; }

protected:
    QString SeparatorSubpola() const override { return QStringLiteral(">"); }
    int PoleKonto() const override { return 31; }
    QString WyznNrWyciagu() const override;
    QString WyznKontoKL(const QString& linia86) const override;
};
