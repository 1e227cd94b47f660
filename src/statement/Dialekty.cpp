#include "Dialekty.h"

namespace dialekty {

// "~": title 20-25, name and address 32-33, account 38 (also two ":86:" fields per entry).
const Dialekt ING{QStringLiteral("ING"),
                  bk_ING,
                  Ksztalt86::Podpola,
                  u'~',
                  {20, 21, 22, 23, 24, 25},
                  {32, 33},
                  {38}};

// "~", one subfield per line, cut at a fixed width: pieces join without a space; 0xFF
// fills empty subfields; the account also as sort code 30 + 16 digits 31.
const Dialekt PKO{QStringLiteral("PKO BP"),
                  bk_PKOBP,
                  Ksztalt86::Podpola,
                  u'~',
                  {20, 21, 22, 23, 24, 25},
                  {32, 33},
                  {38},
                  Laczenie::Bezposrednio,
                  Laczenie::Bezposrednio,
                  true};

// ">": title 20, name 32; the older layout has the payer's account in 31, today's the
// statement's own account there and the payer's in 38.
const Dialekt Santander{QStringLiteral("Santander/Erste"),
                        bk_BZWBK,
                        Ksztalt86::Podpola,
                        u'>',
                        {20},
                        {32},
                        {31, 38},
                        Laczenie::Spacja,
                        Laczenie::Spacja,
                        false,
                        false,
                        true};

// "^", values cut into 27-character pieces (a full piece goes on in the next subfield, also
// inside a word), an address going on from 33 into 62-65.
const Dialekt Pekao{QStringLiteral("Pekao"),
                    bk_Pekao,
                    Ksztalt86::Podpola,
                    u'^',
                    {20, 21, 22, 23, 24, 25},
                    {32, 33, 62, 63, 64, 65},
                    {38},
                    Laczenie::Szerokosc27,
                    Laczenie::Szerokosc27};

const Dialekt BNP{QStringLiteral("BNP Paribas"),
                  bk_Paribas,
                  Ksztalt86::Podpola,
                  u'^',
                  {20, 21, 22, 23, 24, 25},
                  {32, 33, 62, 63, 64, 65},
                  {38},
                  Laczenie::Szerokosc27,
                  Laczenie::Szerokosc27};

// MultiCash "<": title 20-24, name and address 27-29, account 38 (or 30 + 31).
const Dialekt Alior{QStringLiteral("Alior (MultiCash)"),
                    bk_Alior_Bank,
                    Ksztalt86::Podpola,
                    u'<',
                    {20, 21, 22, 23, 24},
                    {27, 28, 29},
                    {38},
                    Laczenie::Szerokosc27,
                    Laczenie::Spacja,
                    true};

const Dialekt Millennium{QStringLiteral("Millennium"),
                         bk_Millennium,
                         Ksztalt86::Podpola,
                         u'<',
                         {20, 21, 22, 23, 24, 25},
                         {27, 28, 29},
                         {38},
                         Laczenie::Szerokosc27,
                         Laczenie::Spacja,
                         true};

// "<", every subfield on one line: title 20-23 in double quotes, name 27, address 28-29
// going on in 60.
const Dialekt Nest{QStringLiteral("Nest Bank"),
                   bk_Nest_Bank,
                   Ksztalt86::Podpola,
                   u'<',
                   {20, 21, 22, 23},
                   {27, 28, 29, 60},
                   {38},
                   Laczenie::Spacja,
                   Laczenie::Spacja,
                   true,
                   true};

const Dialekt mBank{QStringLiteral("mBank"), bk_mBank, Ksztalt86::Slowa, QChar(), {}, {}, {}};

const Dialekt PlusBank{QStringLiteral("Plus Bank"), bk_PLUS_Bank, Ksztalt86::Podpola, u'<', {20},
                       {21, 22, 23, 24, 25},        {27}};

const std::vector<const Dialekt*>& Ogolne() {
    static const Dialekt tylda{QStringLiteral("układ ogólny ~"),
                               bk_Nieznany,
                               Ksztalt86::Podpola,
                               u'~',
                               {20, 21, 22, 23, 24, 25},
                               {32, 33},
                               {38},
                               Laczenie::Spacja,
                               Laczenie::Spacja,
                               true};
    static const Dialekt daszek{QStringLiteral("układ ogólny ^"),
                                bk_Nieznany,
                                Ksztalt86::Podpola,
                                u'^',
                                {20, 21, 22, 23, 24, 25},
                                {32, 33, 62, 63, 64},
                                {38},
                                Laczenie::Spacja,
                                Laczenie::Spacja,
                                true};
    static const Dialekt mniejszy{QStringLiteral("układ ogólny <"),
                                  bk_Nieznany,
                                  Ksztalt86::Podpola,
                                  u'<',
                                  {20, 21, 22, 23, 24, 25},
                                  {27, 28, 29},
                                  {38},
                                  Laczenie::Spacja,
                                  Laczenie::Spacja,
                                  true};
    static const Dialekt wiekszy{QStringLiteral("układ ogólny >"),
                                 bk_Nieznany,
                                 Ksztalt86::Podpola,
                                 u'>',
                                 {20},
                                 {32},
                                 {31, 38}};
    static const Dialekt slowa{QStringLiteral("układ ogólny słów kluczowych"),
                               bk_Nieznany,
                               Ksztalt86::Slowa,
                               QChar(),
                               {},
                               {},
                               {}};
    static const std::vector<const Dialekt*> wszystkie{&tylda, &daszek, &mniejszy, &wiekszy,
                                                       &slowa};
    return wszystkie;
}

} // namespace dialekty

const Dialekt* DialektBanku(TBank bank) {
    switch (bank) {
    case bk_ING:
        return &dialekty::ING;
    case bk_PKOBP:
        return &dialekty::PKO;
    case bk_BZWBK:
        return &dialekty::Santander;
    case bk_Pekao:
        return &dialekty::Pekao;
    case bk_Paribas:
        return &dialekty::BNP;
    case bk_Alior_Bank:
    case bk_BPH:
        return &dialekty::Alior;
    case bk_Millennium:
        return &dialekty::Millennium;
    case bk_Nest_Bank:
        return &dialekty::Nest;
    case bk_mBank:
        return &dialekty::mBank;
    default: // Plus Bank's own layout was never seen in a real file: read only when asked for

        return nullptr;
    }
}
