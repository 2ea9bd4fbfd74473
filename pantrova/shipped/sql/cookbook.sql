-- The template cookbook (Recipe70e.mdb): its sections and starting groups. Groups 10-12 are left
-- free: converting an old cookbook files its three personal categories there.

CREATE TABLE sections (
    section     SMALLINT,
    sectionname TEXT(20) COLLATE NOCASE
);

CREATE TABLE groups (
    groupnum  SMALLINT,
    groupname TEXT(20) COLLATE NOCASE,
    section   SMALLINT
);

INSERT INTO sections (section, sectionname) VALUES
    (1, 'Main Dishes'),
    (2, 'Baking & Desserts'),
    (3, 'Soups & Sides'),
    (4, 'Odds & Ends');

INSERT INTO groups (groupnum, groupname, section) VALUES
    (1,  'Beef',            1),
    (5,  'Casseroles',      1),
    (7,  'Fish & Seafood',  1),
    (9,  'Other Meats',     1),
    (14, 'Pork',            1),
    (15, 'Poultry',         1),
    (18, 'Stews',           1),
    (2,  'Breads',          2),
    (3,  'Cakes',           2),
    (4,  'Candies',         2),
    (6,  'Cookies',         2),
    (8,  'Other Desserts',  2),
    (13, 'Pies & Tarts',    2),
    (16, 'Salads',          3),
    (17, 'Soups',           3),
    (19, 'Vegetables',      3),
    (20, 'Miscellaneous',   4);
