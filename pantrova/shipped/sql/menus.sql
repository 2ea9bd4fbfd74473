-- The template menus database (MenusE.mdb): one row per planned day, empty to start with.
CREATE TABLE mymenus (
    menudate   DATETIME,
    Breakfast  LONGTEXT  COLLATE UNICASE,
    Lunch      LONGTEXT  COLLATE UNICASE,
    Dinner     LONGTEXT  COLLATE UNICASE,
    Other      LONGTEXT  COLLATE UNICASE,
    Dayname    TEXT(255) COLLATE UNICASE,
    autodelete BOOLEAN
);
CREATE INDEX ix_mymenus_master ON mymenus(menudate);
CREATE INDEX ix_mymenus_deletecheck ON mymenus(autodelete);
