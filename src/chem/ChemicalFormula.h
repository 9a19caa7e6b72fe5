#pragma once
// A chemical formula read into the amount of each element per formula unit. Understood:
// element symbols with whole, decimal (Mg0.9) or fractional (O1/2) counts; groups in (), [] or
// {} with a count after them; hydrates and adducts joined by "·", "•" or "*", each part with an
// optional leading count (CaSO4·2H2O, CaSO4*2H2O); site groupings with members separated by
// commas, (Mg,Fe)2SiO4, whose members share the site in their stated proportions
// ((Mg0.9,Fe0.1)2SiO4) or, where none are stated, equally. Blanks are ignored.
#include <QString>
#include <optional>
#include <utility>
#include <vector>

class ChemicalFormula {
public:
    // Atomic number and amount, in the order the elements first appear.
    using Amounts = std::vector<std::pair<int, double>>;

    // The amounts, or nullopt with the reason in *error (such as "Unknown element Xx").
    static std::optional<Amounts> parse(const QString& formula, QString* error = nullptr);
    // The mass of one formula unit (g/mol) from standard atomic weights.
    static double molarMass(const Amounts& amounts);
};
