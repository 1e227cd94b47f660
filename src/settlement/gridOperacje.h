#pragma once

#include "ListaTbl.h"

class Tdm;
class TOperacjaFrm;

// "Opisy transakcji": the dictionary of descriptions the transaction dialog offers.
class TOperacjeTbl : public TListaTbl {
    Q_OBJECT
public:
    TOperacjeTbl(Tdm& dm, TOperacjaFrm& operacjaFrm, QWidget* parent = nullptr);

protected:
    bool Otworz() override;
    void Dopisz() override;
    void Popraw() override;
    bool Usun() override;
    void Zakoncz() override;

private:
    Tdm& dm_;
    TOperacjaFrm& operacjaFrm_;
};
