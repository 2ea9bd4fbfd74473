-- The template catalogue (AdminE.sys): one row per cookbook, the default one to start with.
CREATE TABLE recipebooks (
    cookbook TEXT(255) COLLATE NOCASE,
    dbname   TEXT(255) COLLATE NOCASE
);
CREATE INDEX ix_recipebooks_master ON recipebooks(cookbook);
CREATE INDEX ix_recipebooks_dbname ON recipebooks(dbname);

INSERT INTO recipebooks (cookbook, dbname) VALUES ('My CookBook', 'recipe20.mdb');
