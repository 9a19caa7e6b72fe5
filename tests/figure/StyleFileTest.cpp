// Style files and the style library: every symbol form and line pattern survives a save and a
// load by its name, damaged files are refused, library names stay unique, and a class's
// default look follows its name.
#include "figure/StyleFile.h"
#include "figure/StyleForms.h"
#include "figure/StylePalette.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// One row per form, the patterns and colours cycling, one hidden.
StyleTable everyForm() {
    StyleTable table;
    for (int form = 0; form < int(StyleForms::formNames().size()); ++form) {
        NamedStyle n{QStringLiteral("class %1 'x'").arg(form), {}};
        StyleForms::setForm(n.style, form);
        n.style.symbolSize = 3 + form * 0.5;
        n.style.color = {std::uint8_t(form * 15), 114, 178, 255};
        n.style.linePattern = *StyleForms::patternAt(form % 7);
        n.style.lineWidth = 1 + form % 3;
        n.style.lineColor = {213, std::uint8_t(form), 0, 255};
        n.style.hidden = form == 5;
        table.push_back(n);
    }
    return table;
}

QString lookOf(const SeriesStyle& s) {
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(int(s.symbol))
        .arg(s.filled)
        .arg(s.color.red)
        .arg(s.color.green)
        .arg(s.color.blue);
}

QString fileText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

TEST(StyleFile, TablesAndLibrariesRoundTripByName) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const StyleTable table = everyForm();
    // Every form reads back as itself: no two forms share a shape and fill.
    for (int form = 0; form < int(table.size()); ++form)
        EXPECT_EQ(StyleForms::formOf(table[size_t(form)].style), form);

    const QString sty = dir.filePath(QStringLiteral("figure.sty"));
    ASSERT_TRUE(StyleFile::saveTable(sty, table));
    EXPECT_EQ(StyleFile::loadTable(sty), table);
    const QString text = fileText(sty);
    for (const char* name :
         {"Open Inverted Tri", "Vertical Line", "Long-Short-Long Dash", "Dash Dot", "#0072b2"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(name))) << name;

    StyleLibrary library;
    for (int g = 0; g < StyleLibrary::groupCount; ++g)
        for (int i = g; i < int(table.size()); i += 4)
            ASSERT_TRUE(library.add(StyleGroup(g), table[size_t(i)].name, table[size_t(i)].style));
    const QString slb = dir.filePath(QStringLiteral("library.slb"));
    ASSERT_TRUE(StyleFile::saveLibrary(slb, library));
    EXPECT_EQ(StyleFile::loadLibrary(slb), library);
    EXPECT_TRUE(fileText(slb).contains(QStringLiteral("Reference Point")));
    EXPECT_EQ(library.entries(StyleGroup::Polygon).front().name, QStringLiteral("<class 2 'x'>"));
}

TEST(StyleFile, RefusesWhatDoesNotReadAsStyles) {
    QTemporaryDir dir;
    const QString header = QStringLiteral(
        "#QUV-WORKBOOK 1\n[sheet]\tStyles\nName\tSymbol\tSize\tSymbol colour\tPattern\tWidth\t"
        "Line colour\tHidden\n");
    const QString good = QStringLiteral("A\tBox\t6\t#ff0000\tSolid\t1\t#00ff00\t0\n");
    struct Case {
        const char* what;
        QString text;
        bool reads;
    };
    const std::vector<Case> cases = {
        {"a good file", header + good + "#END\n", true},
        {"columns in another order",
         "#QUV-WORKBOOK 1\n[sheet]\tStyles\nHidden\tName\tSymbol\tSize\tSymbol colour\tPattern\t"
         "Width\tLine colour\n0\tA\tBox\t6\t#ff0000\tSolid\t1\t#00ff00\n#END\n",
         true},
        {"a form by number", header + "A\t2\t6\t#ff0000\tSolid\t1\t#00ff00\t0\n#END\n", false},
        {"an unknown pattern", header + "A\tBox\t6\t#ff0000\tWavy\t1\t#00ff00\t0\n#END\n", false},
        {"a colour by name", header + "A\tBox\t6\tred\tSolid\t1\t#00ff00\t0\n#END\n", false},
        {"a size in words", header + "A\tBox\tbig\t#ff0000\tSolid\t1\t#00ff00\t0\n#END\n", false},
        {"a missing column", "#QUV-WORKBOOK 1\n[sheet]\tStyles\nName\tSymbol\nA\tBox\n#END\n",
         false},
        {"a truncated file", header + good, false},
        {"no workbook", QStringLiteral("Name;Symbol\n"), false},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QStringLiteral("case.sty"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.text.toUtf8());
        f.close();
        QString error;
        const auto table = StyleFile::loadTable(path, &error);
        EXPECT_EQ(table.has_value(), c.reads) << c.what;
        EXPECT_EQ(error.isEmpty(), c.reads) << c.what;
        if (table && c.reads) {
            ASSERT_EQ(table->size(), 1u) << c.what;
            EXPECT_EQ(table->front().style.color, (FigureColor{255, 0, 0, 255})) << c.what;
            EXPECT_EQ(table->front().style.symbol, SymbolShape::Square) << c.what;
        }
    }
}

TEST(StyleLibrary, NamesStayUniqueWithinAGroup) {
    SeriesStyle red;
    red.color = {255, 0, 0, 255};
    SeriesStyle blue;
    blue.color = {0, 0, 255, 255};
    StyleLibrary library;
    ASSERT_TRUE(library.add(StyleGroup::Symbol, QStringLiteral("Basalt"), red));
    ASSERT_TRUE(library.add(StyleGroup::Symbol, QStringLiteral("Granite"), blue));
    const StyleLibrary before = library;
    EXPECT_FALSE(library.add(StyleGroup::Symbol, QStringLiteral("Basalt"), blue));
    EXPECT_EQ(library, before);
    // Another group may hold the name.
    EXPECT_TRUE(library.add(StyleGroup::Polygon, QStringLiteral("Basalt"), blue));
    // Renaming onto an existing name replaces that entry.
    ASSERT_TRUE(library.change(StyleGroup::Symbol, 1, QStringLiteral("Basalt"), blue));
    ASSERT_EQ(library.entries(StyleGroup::Symbol).size(), 1u);
    EXPECT_EQ(library.find(StyleGroup::Symbol, QStringLiteral("Basalt")), blue);
    EXPECT_FALSE(library.find(StyleGroup::Symbol, QStringLiteral("Granite")));
}

TEST(StylePalette, AClassLooksTheSameWhereverItStands) {
    const QStringList rocks{"Basalt",  "Andesite", "Dacite",   "Rhyolite",
                            "Granite", "Gabbro",   "Komatiite"};
    QSet<QString> looks;
    for (const QString& rock : rocks) {
        const SeriesStyle style = StylePalette::styleForName(rock);
        EXPECT_EQ(style, StylePalette::styleForName(QString(rock))) << rock.toStdString();
        looks << lookOf(style);
    }
    // The sample data's rocks are told apart.
    EXPECT_EQ(looks.size(), rocks.size());
}

TEST(StyleFile, TheShippedLibraryStylesTheSampleRocksApart) {
    const auto library = StyleFile::loadLibrary(testpaths::repoFile("samples/SymbolLibrary.slb"));
    ASSERT_TRUE(library);
    const StyleTable& symbols = library->entries(StyleGroup::Symbol);
    QSet<QString> looks;
    for (const NamedStyle& n : symbols)
        looks << lookOf(n.style);
    EXPECT_EQ(looks.size(), qsizetype(symbols.size()));
    for (const char* rock :
         {"Basalt", "Andesite", "Dacite", "Rhyolite", "Granite", "Gabbro", "Komatiite"})
        EXPECT_TRUE(library->find(StyleGroup::Symbol, QString::fromLatin1(rock))) << rock;
}

} // namespace
