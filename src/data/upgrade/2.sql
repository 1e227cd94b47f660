/* Version 2: a statement can be registered only once, and booking runs of one database
   take turns through a lock row. */

/* The lookup of a registered statement is served by the unique key's own index. */
DROP INDEX WYCIAG_LINIA_KONTO;
ALTER TABLE WYCIAG ADD CONSTRAINT UQ_WYCIAG_LINIA_KONTO UNIQUE (LINIA_SALDA, KONTO_WL);

/* Each booking run locks this table's row first; its row is added by the first run. */
CREATE TABLE BLOKADA_KSIEGOWANIA (
    ID      INTEGER NOT NULL,
    LICZNIK INTEGER,
    CONSTRAINT PK_BLOKADA_KSIEGOWANIA PRIMARY KEY (ID)
);
