-- The names-only list: recipes of several groups, one name twice.
INSERT INTO report (Name, category_code, groupnum, extra2, extra3) VALUES
    ('Zucchini Bread', 1, 2, 'Baking & Desserts', 'Breads'),
    ('Apple Pie', 1, 13, 'Baking & Desserts', 'Pies & Tarts'),
    ('Beef Stew', 1, 1, 'Main Dishes', 'Beef'),
    ('Beef Stew', 2, 1, 'Main Dishes', 'Beef'),
    ('Minestrone', 1, 17, 'Soups & Sides', 'Soups'),
    ('Lemon Bars', 1, 6, 'Baking & Desserts', 'Cookies');
