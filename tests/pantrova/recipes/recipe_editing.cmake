# Adding, saving, cancelling and deleting recipes, pictures, serving figures and display options.
pantrova_add_test(tst_pantrova_recipe_editing SOURCES tst_recipe_editing.cpp LIBS pantrova_recipes)
