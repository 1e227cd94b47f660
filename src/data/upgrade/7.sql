/* Version 7: the register of interest notes. */

/* The register of interest notes. A note is numbered anew each year ("NO/7/2024") when it is
   saved, keeps what it charged for each invoice (so that a later note never charges the same
   days twice) and the ledger row that booked its total: once, and only while it stands. */
CREATE TABLE NOTA_ODSETKOWA (
    ID               INTEGER NOT NULL,
    ROK              SMALLINT NOT NULL,
    NR               INTEGER NOT NULL,
    NUMER            VARCHAR(20) NOT NULL,
    /* The contractor, and how the note named it. */
    KLIENTID         INTEGER,
    NAZWA_KL         VARCHAR(80),
    ADRES_KL         VARCHAR(80),
    NIP_KL           VARCHAR(20),
    /* P a business, Z a public healthcare provider, K a consumer. */
    DLUZNIK          CHAR(1) NOT NULL,
    DATA_WYST        DATE NOT NULL,
    OKRES_OD         DATE,
    OKRES_DO         DATE NOT NULL,
    Z_NIEZAPLACONYMI CHAR(1) NOT NULL,
    TERMIN_DNI       INTEGER NOT NULL,
    ODSETKI          NUMERIC(18,2) NOT NULL,
    REKOMPENSATA     NUMERIC(18,2) NOT NULL,
    RAZEM            NUMERIC(18,2) NOT NULL,
    /* The amount due that booked the note; none while not booked (or once that row went). */
    WPISID           INTEGER,
    ANULOWANA        CHAR(1) DEFAULT 'N' NOT NULL,
    ZAPISAL          VARCHAR(80),
    ZAPISANO         TIMESTAMP,
    CONSTRAINT PK_NOTA_ODSETKOWA PRIMARY KEY (ID),
    CONSTRAINT UQ_NOTA_ODSETKOWA_NR UNIQUE (ROK, NR),
    CONSTRAINT UQ_NOTA_ODSETKOWA_WPIS UNIQUE (WPISID),
    CONSTRAINT FK_NOTA_ODSETKOWA_KLIENT FOREIGN KEY (KLIENTID) REFERENCES KLIENT (KLIENTID)
        ON DELETE SET NULL,
    CONSTRAINT FK_NOTA_ODSETKOWA_TRANS FOREIGN KEY (WPISID) REFERENCES TRANS (WPISID)
        ON DELETE SET NULL,
    CONSTRAINT CK_NOTA_ODSETKOWA CHECK (NR > 0 AND DLUZNIK IN ('P', 'Z', 'K')
        AND Z_NIEZAPLACONYMI IN ('T', 'N') AND ANULOWANA IN ('T', 'N')
        AND NOT (ANULOWANA = 'T' AND WPISID IS NOT NULL))
);
CREATE INDEX NOTA_ODSETKOWA_KLIENT_DATA ON NOTA_ODSETKOWA (KLIENTID, DATA_WYST);

/* One late amount of an invoice: a payment after the due date, or what was unpaid at the
   note's end. POZYCJA_OD and KWOTA place it in the invoice's amount as its payments settle
   it (earliest first); NALICZ_OD..NALICZ_DO are the days charged. The compensation stands on
   the first item of an invoice when the note claims it. */
CREATE TABLE NOTA_POZYCJA (
    NOTA_ID       INTEGER NOT NULL,
    LP            INTEGER NOT NULL,
    ID_NALEZNOSCI INTEGER,
    NR_FAKTURY    VARCHAR(256),
    DATA_FAKTURY  DATE,
    TERMIN        DATE NOT NULL,
    KWOTA_FAKTURY NUMERIC(18,2) NOT NULL,
    ID_ZAPLATY    INTEGER,
    DATA_ZAPLATY  DATE,
    POZYCJA_OD    NUMERIC(18,2) NOT NULL,
    KWOTA         NUMERIC(18,2) NOT NULL,
    NALICZ_OD     DATE NOT NULL,
    NALICZ_DO     DATE NOT NULL,
    DNI           INTEGER NOT NULL,
    ODSETKI       NUMERIC(18,2) NOT NULL,
    REKOMP_EUR    SMALLINT,
    KURS_EUR      NUMERIC(9,4),
    KURS_DATA     DATE,
    KURS_TABELA   VARCHAR(20),
    REKOMP_PLN    NUMERIC(18,2),
    CONSTRAINT PK_NOTA_POZYCJA PRIMARY KEY (NOTA_ID, LP),
    CONSTRAINT FK_NOTA_POZYCJA_NOTA FOREIGN KEY (NOTA_ID) REFERENCES NOTA_ODSETKOWA (ID)
        ON DELETE CASCADE
);
/* What earlier notes charged of an invoice. */
CREATE INDEX NOTA_POZYCJA_NALEZNOSC ON NOTA_POZYCJA (ID_NALEZNOSCI);

/* The rate periods of an item. */
CREATE TABLE NOTA_OKRES (
    NOTA_ID INTEGER NOT NULL,
    LP      INTEGER NOT NULL,
    NR      SMALLINT NOT NULL,
    OD      DATE NOT NULL,
    DO_DNIA DATE NOT NULL,
    DNI     INTEGER NOT NULL,
    STAWKA  NUMERIC(5,2) NOT NULL,
    CONSTRAINT PK_NOTA_OKRES PRIMARY KEY (NOTA_ID, LP, NR),
    CONSTRAINT FK_NOTA_OKRES_POZYCJA FOREIGN KEY (NOTA_ID, LP) REFERENCES NOTA_POZYCJA (NOTA_ID, LP)
        ON DELETE CASCADE
);

CREATE EXCEPTION NOTA_ODSETKOWA_ODMOWA 'Noty odsetkowej nie można usunąć ani zmienić: można ją anulować.';

SET TERM ^ ;

/* Who saved a note, and when: the operator the program named for its connection. */
CREATE TRIGGER NOTA_ODSETKOWA_BI FOR NOTA_ODSETKOWA ACTIVE BEFORE INSERT POSITION 0 AS
BEGIN
    NEW.ZAPISANO = CURRENT_TIMESTAMP;
    NEW.ZAPISAL = COALESCE(RDB$GET_CONTEXT('USER_SESSION', 'BREVANT_OPERATOR'),
                           CURRENT_USER || ' (poza programem)');
END^

/* A note issued stays as it was issued: only its booking, its cancellation and its contractor
   (merged into another, or deleted) change; it is never deleted, so its number never frees. */
CREATE TRIGGER NOTA_ODSETKOWA_BUD FOR NOTA_ODSETKOWA ACTIVE BEFORE UPDATE OR DELETE POSITION 0 AS
BEGIN
    IF (DELETING) THEN
        EXCEPTION NOTA_ODSETKOWA_ODMOWA;
    IF (NEW.ID <> OLD.ID OR NEW.ROK <> OLD.ROK OR NEW.NR <> OLD.NR OR NEW.NUMER <> OLD.NUMER
        OR NEW.RAZEM <> OLD.RAZEM OR NEW.ODSETKI <> OLD.ODSETKI
        OR NEW.REKOMPENSATA <> OLD.REKOMPENSATA OR NEW.DATA_WYST <> OLD.DATA_WYST
        OR (OLD.ANULOWANA = 'T' AND NEW.ANULOWANA = 'N')) THEN
        EXCEPTION NOTA_ODSETKOWA_ODMOWA;
END^

CREATE TRIGGER NOTA_POZYCJA_BUD FOR NOTA_POZYCJA ACTIVE BEFORE UPDATE OR DELETE POSITION 0 AS
BEGIN
    EXCEPTION NOTA_ODSETKOWA_ODMOWA;
END^

CREATE TRIGGER NOTA_OKRES_BUD FOR NOTA_OKRES ACTIVE BEFORE UPDATE OR DELETE POSITION 0 AS
BEGIN
    EXCEPTION NOTA_ODSETKOWA_ODMOWA;
END^

SET TERM ; ^
