/* Version 3: the company's own details for its documents, the statutory interest tables, the
   NBP euro rates for recovery-cost compensation, and what kind of debtor a contractor is.
   The interest history is written after these definitions commit (odsetki.sql). */

CREATE TABLE FIRMA (
    ID                  INTEGER NOT NULL,
    NAZWA               VARCHAR(160),
    ADRES               VARCHAR(80),
    KOD_MIEJSCOWOSC     VARCHAR(80),
    NIP                 VARCHAR(13),
    KONTO               VARCHAR(34),
    MIEJSCE_WYSTAWIENIA VARCHAR(40),
    PODPIS              VARCHAR(80),
    /* Raised by every save: a save made over someone else's newer one is refused. */
    WERSJA              INTEGER DEFAULT 0 NOT NULL,
    CONSTRAINT PK_FIRMA PRIMARY KEY (ID),
    CONSTRAINT CK_FIRMA_JEDEN_WIERSZ CHECK (ID = 1)
);

CREATE TABLE STAWKA_ODSETEK (
    RODZAJ         CHAR(1) NOT NULL,
    OD             DATE NOT NULL,
    STAWKA         NUMERIC(5,2) NOT NULL,
    STAWKA_ZOZ     NUMERIC(5,2),
    DO_SPRAWDZENIA CHAR(1) DEFAULT 'N' NOT NULL,
    CONSTRAINT PK_STAWKA_ODSETEK PRIMARY KEY (RODZAJ, OD),
    CONSTRAINT CK_STAWKA_ODSETEK CHECK (RODZAJ IN ('H', 'C') AND STAWKA > 0 AND STAWKA < 100
        AND (STAWKA_ZOZ IS NULL OR (RODZAJ = 'H' AND STAWKA_ZOZ > 0 AND STAWKA_ZOZ < 100))
        AND DO_SPRAWDZENIA IN ('T', 'N'))
);

CREATE TABLE KURS_EUR (
    DATA   DATE NOT NULL,
    KURS   NUMERIC(9,4) NOT NULL,
    TABELA VARCHAR(20),
    ZRODLO CHAR(1) NOT NULL,
    CONSTRAINT PK_KURS_EUR PRIMARY KEY (DATA),
    CONSTRAINT CK_KURS_EUR CHECK (KURS > 0 AND ZRODLO IN ('N', 'R'))
);

ALTER TABLE KLIENT ADD KONSUMENT CHAR(1) DEFAULT 'N' NOT NULL;
ALTER TABLE KLIENT ADD ZOZ_PUBLICZNY CHAR(1) DEFAULT 'N' NOT NULL;
ALTER TABLE KLIENT ADD CONSTRAINT CK_KLIENT_DLUZNIK CHECK (KONSUMENT IN ('T', 'N')
    AND ZOZ_PUBLICZNY IN ('T', 'N') AND NOT (KONSUMENT = 'T' AND ZOZ_PUBLICZNY = 'T'));
