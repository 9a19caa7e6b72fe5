// Element symbols and units read from field names, atomic weights, forms and their molar
// masses, conversions between units and forms, chemical formulas and their compositions.
#include "chem/ChemicalFormula.h"
#include "chem/ConcentrationUnit.h"
#include "chem/ElementTable.h"
#include "chem/EquivalentFields.h"
#include "chem/FieldNameChemistry.h"
#include "chem/FormulaComposition.h"
#include "chem/OxideConverter.h"
#include "chem/OxideForm.h"
#include "db/SchemaCatalogue.h"

#include <gtest/gtest.h>

TEST(ElementTableTest, HoldsTheSymbolsAndStandardAtomicWeights) {
    const ElementTable& t = ElementTable::instance();
    EXPECT_EQ(t.symbol(1), "H");
    EXPECT_EQ(t.symbol(103), "Lr");
    EXPECT_EQ(t.symbol(104), "Unq");
    EXPECT_EQ(t.symbol(106), "Unh");
    EXPECT_EQ(t.symbol(107), "");
    EXPECT_EQ(t.name(26), "Iron");
    for (int z = 1; z <= ElementTable::count; ++z) {
        EXPECT_EQ(t.atomicNumber(t.symbol(z)), z);
        EXPECT_GT(t.atomicWeight(z), t.atomicWeight(z - 1) - 3.0) << "element " << z;
    }
    const struct {
        const char* symbol;
        double weight;
    } weights[] = {{"Fe", 55.845},     {"Si", 28.085},  {"O", 15.999}, {"H", 1.008},
                   {"Al", 26.9815384}, {"Hf", 178.486}, {"Pb", 207.2}, {"U", 238.02891}};
    for (const auto& w : weights)
        EXPECT_DOUBLE_EQ(t.atomicWeight(t.atomicNumber(w.symbol)), w.weight) << w.symbol;
    EXPECT_EQ(t.oxides(25), (QStringList{"MnO", "Mn2O3", "MnO2", "MnO3", "Mn2O7"}));
    EXPECT_EQ(t.atomicNumber("fe"), 0);
}

TEST(FieldNameChemistryTest, ReadsElementAndUnitFromTheName) {
    const struct {
        const char* name;
        int element;
        const char* symbol;
        double unit;
    } cases[] = {
        {"SiO2%", 14, "Si", 1},
        {"Al2O3%", 13, "Al", 1},
        {"K2O%", 19, "K", 1},
        {"CO2%", 6, "C", 1},
        {"Au ppb", 79, "Au", 1e7},
        {"Cu_ppm", 29, "Cu", 1e4},
        {"FeOtot%", 26, "Fe", 1},
        {"P2O5%", 15, "P", 1},
        {"CaCO3", 20, "Ca", 0},
        {"LOI%", 0, "", 1},
        {"Sulfides%", 0, "", 1},
        {"SampleNo", 0, "", 0},
        {"mg#%", 0, "", 1},
        {"  Fe2O3%  ", 26, "Fe", 1},
        {"Y_n%", 39, "Y", 1},
        {"U", 92, "U", 0},
        {"Unh", 0, "", 0},
        {"Ni_ppm", 28, "Ni", 1e4},
        {"Os ppb", 76, "Os", 1e7},
        {"Ni", 28, "Ni", 0},
        {"Cu PPM", 29, "Cu", 0},
        {"NbA", 0, "", 0},
        {"NbZ", 0, "", 0},
        {"Nb/Ta", 41, "Nb", 0},
        {"", 0, "", 0},
        {"cu_ppm", 0, "", 1e4},
    };
    for (const auto& c : cases) {
        QString name = c.name;
        EXPECT_EQ(FieldNameChemistry::elementOfFieldName(name), c.element) << c.name;
        EXPECT_EQ(name, c.symbol) << c.name;
        EXPECT_EQ(FieldNameChemistry::unitFactorOfFieldName(c.name), c.unit) << c.name;
    }
    EXPECT_EQ(FieldNameChemistry::baseOfFieldName("Cu_ppm"), "Cu");
    EXPECT_EQ(FieldNameChemistry::baseOfFieldName("SiO2%"), "SiO2");
}

TEST(OxideFormTest, MolarMassPerCation) {
    const struct {
        const char* formula;
        int element;
        double mass;
    } cases[] = {
        {"FeO", 26, 71.844},       {"Fe2O3", 26, 79.8435}, {"Fe", 26, 55.845},
        {"Al2O3", 13, 50.9800384}, {"SiO2", 14, 60.083},   {"Mn2O7", 25, 110.934543},
        {"Co3O4", 27, 80.265194},  {"H2O", 1, 9.0075},
    };
    for (const auto& c : cases) {
        const auto form = OxideForm::of(c.formula);
        ASSERT_TRUE(form) << c.formula;
        EXPECT_EQ(form->element, c.element) << c.formula;
        EXPECT_NEAR(form->massPerCation, c.mass, 1e-6) << c.formula;
    }
    EXPECT_NEAR(OxideForm::of("Al2O3")->massPerCation, 50.98, 0.005);
    for (const char* notAForm : {"CaCO3", "LOI", "Xx2O", ""})
        EXPECT_FALSE(OxideForm::of(notAForm)) << notAForm;
    EXPECT_EQ(OxideForm::ofFieldName("FeOtot%")->formula, "FeO");
    EXPECT_EQ(OxideForm::ofFieldName("Fe_ppm")->formula, "Fe");
}

TEST(OxideConverterTest, ConvertsBetweenFormsAndUnits) {
    const struct {
        const char* field;
        const char* target;
        double value;
        double expected;
    } cases[] = {
        {"Fe2O3%", "FeO %", 10.0, 8.99810}, // 10 × 71.844 / 79.8435
        {"FeO%", "FeO %", 7.0, 7.0},
        {"Fe_ppm", "FeO %", 10000.0, 1.286489}, // 1 % Fe × 71.844 / 55.845
        {"FeOtot%", "Fe ppm", 1.0, 7773.0917},
        {"Cu%", "Cu ppm", 0.5, 5000.0},
        {"Au ppb", "Au ppm", 250.0, 0.25},
        {"Fe2O3", "FeO %", 10.0, 8.99810}, // no unit: only the form changes
    };
    for (const auto& c : cases) {
        const auto v = OxideConverter::convert(c.field, c.target, c.value);
        ASSERT_TRUE(v) << c.field << " -> " << c.target;
        EXPECT_NEAR(*v, c.expected, 1e-5 * c.expected) << c.field << " -> " << c.target;
    }
    EXPECT_FALSE(OxideConverter::convert("SiO2%", "FeO %", 1.0)); // another element
    EXPECT_FALSE(OxideConverter::convert("LOI%", "FeO %", 1.0));
    EXPECT_FALSE(OxideConverter::convert("FeO%", "FeO kg", 1.0));
}

TEST(ConcentrationUnitsTest, FactorsBetweenUnitsAndMolarProportion) {
    using U = ConcentrationUnit;
    const double feo = 71.844, fe2o3 = 79.8435;
    const struct {
        U from;
        double fromMass;
        U to;
        double toMass;
        double factor;
    } cases[] = {
        {U::Ppm, 0, U::Percent, 0, 1e-4},
        {U::Percent, 0, U::Ppb, 0, 1e7},
        {U::Ppb, 0, U::Ppm, 0, 1e-3},
        {U::Percent, 0, U::Percent, 0, 1},
        {U::Percent, feo, U::MolProp, feo, 1 / feo},
        {U::Ppm, feo, U::MolProp, feo, 1e-4 / feo}, // ppm is per cent first
        {U::MolProp, feo, U::Percent, fe2o3, fe2o3},
        {U::MolProp, feo, U::MolProp, fe2o3, 1}, // cations do not change with the form
        {U::Percent, fe2o3, U::Percent, feo, feo / fe2o3},
        {U::Percent, 0, U::MolProp, 0, 1}, // no form: the factor would say nothing
        {U::MolProp, 0, U::Percent, 0, 1}, // a factor of 0 becomes 1
    };
    for (const auto& c : cases)
        EXPECT_NEAR(ConcentrationUnits::factor(c.from, c.fromMass, c.to, c.toMass), c.factor,
                    1e-12 * c.factor)
            << int(c.from) << "->" << int(c.to);
    EXPECT_EQ(ConcentrationUnits::ofName("FeO Mol.prop."), U::MolProp);
    EXPECT_EQ(ConcentrationUnits::ofName("FeO Mol. prop."), U::MolProp);
    EXPECT_EQ(ConcentrationUnits::ofName("Cu_ppm"), U::Ppm);
    EXPECT_EQ(ConcentrationUnits::renamed("Cu_ppm", U::Percent), "Cu %");
    EXPECT_EQ(ConcentrationUnits::renamed("FeO Mol.prop.", U::Ppb), "FeO ppb");
    EXPECT_EQ(ConcentrationUnits::renamed("Depth", U::Ppm), "Depth ppm");
}

TEST(EquivalentFieldsTest, FindsTheSameElementInAnotherUnitOrIronTotal) {
    SchemaCatalogue catalogue;
    catalogue.addTable("Rock");
    for (const char* f : {"SampleNo", "Cu%", "Cu_ppm", "CuO%", "FeOtot%", "Fe2O3tot%", "Ni"})
        catalogue.addField("Rock", f);
    catalogue.addTable("Assay");
    for (const char* f : {"Cu ppb", "Ni", "Ni_ppm"})
        catalogue.addField("Assay", f);

    const auto names = [](const std::vector<EquivalentField>& found) {
        QStringList out;
        for (const EquivalentField& f : found)
            out << f.table + "." + f.field + " x" + QString::number(f.factor, 'g', 6);
        return out;
    };
    EXPECT_EQ(names(EquivalentFields::find("Cu_ppm", catalogue)),
              (QStringList{"Rock.Cu_ppm x1", "Rock.Cu% x10000", "Assay.Cu ppb x0.001"}));
    // A name without a unit: only the exact name, never a factor of 0.
    EXPECT_EQ(names(EquivalentFields::find("Ni", catalogue)),
              (QStringList{"Rock.Ni x1", "Assay.Ni x1"}));
    // Iron totals in another oxide form are converted, not taken as they are.
    EXPECT_EQ(names(EquivalentFields::find("FeOTOT_ppm", catalogue)),
              (QStringList{"Rock.FeOtot% x10000", "Rock.Fe2O3tot% x8998.1"}));
    EXPECT_TRUE(EquivalentFields::find("Zn%", catalogue).empty());
}

TEST(ChemicalFormulaTest, ReadsGroupsHydratesAndSites) {
    const struct {
        const char* formula;
        const char* amounts;
    } cases[] = {
        {"SiO2", "Si1 O2"},
        {"Ca5(PO4)3F", "Ca5 P3 O12 F1"},
        {"CaSO4·2H2O", "Ca1 S1 O6 H4"},
        {"CaSO4*2H2O", "Ca1 S1 O6 H4"},
        {"(Mg0.9,Fe0.1)2SiO4", "Mg1.8 Fe0.2 Si1 O4"},
        {"(Mg,Fe)2SiO4", "Mg1 Fe1 Si1 O4"},
        {"(Mg0.5,Fe)2SiO4", "Mg1 Fe1 Si1 O4"},
        {"K(Mg0.6,Fe0.4)3(AlSi3O10)(OH)2", "K1 Mg1.8 Fe1.2 Al1 Si3 O12 H2"},
        {"Fe1/2O", "Fe0.5 O1"},
        {"Na3[Fe(CN)6]", "Na3 Fe1 C6 N6"},
        {" Fe S2 ", "Fe1 S2"},
        {"Unh", "Unh1"},
    };
    for (const auto& c : cases) {
        QString error;
        const auto amounts = ChemicalFormula::parse(c.formula, &error);
        ASSERT_TRUE(amounts) << c.formula << ": " << error.toStdString();
        QStringList text;
        for (const auto& [z, amount] : *amounts)
            text << ElementTable::instance().symbol(z) + QString::number(amount, 'g', 6);
        EXPECT_EQ(text.join(' '), c.amounts) << c.formula;
    }
    const struct {
        const char* formula;
        const char* error;
    } broken[] = {{"Xx2O", "Unknown element Xx"},
                  {"(SiO2", "Missing \")\" in the formula"},
                  {"SiO2)", "Unexpected \")\" in the formula"},
                  {"Fe1/0", "Division by zero in a count"},
                  {"CaSO4·", "Empty part in the formula"},
                  {"", "No formula"},
                  {"(Mg,)2SiO4", "Empty site member in the formula"}};
    for (const auto& b : broken) {
        QString error;
        EXPECT_FALSE(ChemicalFormula::parse(b.formula, &error)) << b.formula;
        EXPECT_EQ(error, b.error) << b.formula;
    }
    QString error;
    EXPECT_FALSE(ChemicalFormula::parse(QString(17, '(') + "H" + QString(17, ')'), &error));
    EXPECT_EQ(error, "Groups nested too deeply in the formula");
    const QString huge(200, '9');
    EXPECT_FALSE(ChemicalFormula::parse("(H" + huge + ")" + huge, &error));
    EXPECT_EQ(error, "A count in the formula is too large");
}

TEST(FormulaCompositionTest, ElementAndOxideWeightPercents) {
    const auto gypsum = FormulaComposition::of("CaSO4·2H2O");
    ASSERT_TRUE(gypsum);
    EXPECT_NEAR(gypsum->molarMass, 172.164, 1e-9);
    const auto line = [](const std::vector<CompositionLine>& lines, const QString& name) {
        for (const CompositionLine& l : lines)
            if (l.name == name)
                return l.weightPercent;
        return -1.0;
    };
    EXPECT_NEAR(line(gypsum->elements, "Ca"), 100 * 40.078 / 172.164, 1e-9);
    EXPECT_NEAR(line(gypsum->oxides, "CaO"), 100 * 56.077 / 172.164, 1e-9);
    EXPECT_NEAR(line(gypsum->oxides, "SO3"), 100 * 80.057 / 172.164, 1e-9);
    EXPECT_NEAR(line(gypsum->oxides, "H2O"), 100 * 36.030 / 172.164, 1e-9);
    EXPECT_EQ(line(gypsum->oxides, "O"), -1.0);
    // The oxides of a charge-balanced oxygen compound add up to the whole.
    for (const char* formula :
         {"CaSO4·2H2O", "(Mg0.9,Fe0.1)2SiO4", "KAl2(AlSi3O10)(OH)2", "Al2O3", "CaMg(CO3)2"}) {
        const auto c = FormulaComposition::of(formula);
        ASSERT_TRUE(c) << formula;
        EXPECT_NEAR(c->elementSum, 100.0, 1e-9) << formula;
        EXPECT_NEAR(c->oxideSum, 100.0, 1e-9) << formula;
    }
    // An oxide of one element is its own form; iron in a mixed formula is reported as FeO.
    EXPECT_NEAR(line(FormulaComposition::of("Fe2O3")->oxides, "Fe2O3"), 100.0, 1e-9);
    EXPECT_NEAR(line(FormulaComposition::of("FeTiO3")->oxides, "FeO"), 100 * 71.844 / 151.709,
                1e-9);
    // Without oxygen the analysis is the elements.
    const auto pyrite = FormulaComposition::of("FeS2");
    ASSERT_TRUE(pyrite);
    EXPECT_NEAR(line(pyrite->oxides, "Fe"), 100 * 55.845 / 119.965, 1e-9);
    EXPECT_NEAR(pyrite->oxideSum, 100.0, 1e-9);
}
