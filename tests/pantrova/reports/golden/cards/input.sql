-- Recipe cards: two recipes, one without ingredients.
INSERT INTO report (Name, category_code, groupnum, Description, Ingrediants, Instructions, extra2, extra3) VALUES
    ('Pancakes', 1, 20, 'Never printed on a card.',
     '1 1/2 cups flour' || char(13, 10) || '1 1/4 cups milk' || char(13, 10) || '1 egg',
     'Whisk, rest ten minutes, fry by the ladleful until golden on both sides.', 'Odds & Ends', 'Miscellaneous'),
    ('Ice Water', 1, 20, '', NULL, 'Fill a glass with ice and water.', 'Odds & Ends', 'Miscellaneous');
