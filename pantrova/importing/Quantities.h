#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace pantrova::importing {

// Reading the numbers recipe files write in words: yields, energy and masses.
//
// A number is digits with an optional decimal point or decimal comma; a comma followed by exactly
// three digits is a thousands separator ("1,200 mg"). Only finite, non-negative numbers count.

// The first number in `text` and where it ends.
std::optional<double> firstNumber(QStringView text, qsizetype* end = nullptr);

// The number of servings a yield states: a bare number ("4"), or a number of servings, portions or
// people ("4 servings", "6-8 portions", "serves 4"). Nothing when it counts something else
// ("1 loaf", "2 dozen").
std::optional<double> servingsIn(QStringView yield);

// Kilocalories in an energy text: "240 calories", "240 kcal", "240" or "1000 kJ".
std::optional<double> caloriesIn(QStringView text);

// Grams in a mass text: "12 g", "12.5 grams", "480 mg", "15 mcg". A bare number is taken in
// `bareUnit` ("g" or "mg"), as pages write sodium and cholesterol in milligrams.
std::optional<double> gramsIn(QStringView text, QStringView bareUnit);

} // namespace pantrova::importing
