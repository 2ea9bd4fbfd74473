-- The template menus database (MenusE.mdb): one row per planned day, empty to start with.
CREATE TABLE mymenus (
    menudate   DATETIME,
    Breakfast  LONGTEXT  COLLATE NOCASE,
    Lunch      LONGTEXT  COLLATE NOCASE,
    Dinner     LONGTEXT  COLLATE NOCASE,
    Other      LONGTEXT  COLLATE NOCASE,
    Dayname    TEXT(255) COLLATE NOCASE,
    autodelete BOOLEAN
);
CREATE INDEX ix_mymenus_master ON mymenus(menudate);
CREATE INDEX ix_mymenus_deletecheck ON mymenus(autodelete);
