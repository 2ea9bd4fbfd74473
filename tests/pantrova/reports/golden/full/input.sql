-- The report table of a full report: two groups of one section and a group of another, with
-- serving figures on one recipe.
INSERT INTO report (Name, category_code, groupnum, Description, Ingrediants, Instructions, extra2, extra3,
                    S1, S2, c1, c2, G1, P1, G2, P2, G7, P7)
VALUES ('Crème Brûlée', 1, 3, 'A silky custard under a sheet of burnt sugar.',
        '2 cups heavy cream' || char(13, 10) || '5 egg yolks' || char(13, 10) || '1/2 cup sugar',
        'Heat the cream. Whisk into the yolks and sugar, bake in a water bath at 300 F until set, chill, then '
        || 'sprinkle with sugar and caramelise it under a hot grill.',
        'Baking & Desserts', 'Cakes', 6, 0.5, 410, 290, 32, 49, 19, 95, 21, 7),
       ('Apple Crumble', 1, 3, '', '4 apples' || char(13, 10) || '1 cup oats', 'Slice, top, bake.',
        'Baking & Desserts', 'Cakes', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL),
       ('Beef Stew', 2, 1, 'Slow and hearty.', '2 lb beef' || char(13, 10) || '3 carrots',
        'Brown the beef; simmer everything for two hours.', 'Main Dishes', 'Beef',
        4, 1, 520, NULL, 0, 0, NULL, NULL, NULL, NULL);
