#include "export/KmlExport.h"
#include "export/KmlDocument.h"
#include "export/KmlSettingsForm.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

CellValue num(double v) {
    return CellValue::number(v);
}
CellValue txt(const char* t) {
    return CellValue::text(QString::fromUtf8(t));
}

// Columns: SampleNo, Lat, Lon, Rock, Au.
RowSet samples(std::initializer_list<RowSet::Row> rows) {
    RowSet set(QStringList{"SampleNo", "Lat", "Lon", "Rock", "Au"});
    for (const auto& r : rows)
        set.appendRow(r);
    return set;
}

KmlSettings placed(KmlSettings::Description d = KmlSettings::Description::None, int column = -1) {
    KmlSettings s;
    s.headerColumn = 0;
    s.latitudeColumn = 1;
    s.longitudeColumn = 2;
    s.description = d;
    s.descriptionColumn = column;
    return s;
}

// The lines of the first placemark, from "<Placemark>" to "</Placemark>".
QStringList firstPlacemark(const QStringList& lines) {
    const qsizetype from = lines.indexOf(QStringLiteral("  <Placemark>"));
    const qsizetype to = lines.indexOf(QStringLiteral("  </Placemark>"));
    return from < 0 || to < from ? QStringList() : lines.mid(from, to - from + 1);
}

} // namespace

TEST(KmlDocument, OnePlacemarkLineByLine) {
    KmlSettings s = placed();
    s.range = 1500.0f;
    s.tilt = 65.3f;
    const auto doc = KmlDocument::build(
        samples({{txt("A-1"), num(60.25), num(24.5), txt("Granite"), num(0.12)}}), {}, s);
    EXPECT_EQ(doc.written, 1);
    EXPECT_FALSE(doc.truncated);
    const QStringList expected{"<?xml version='1.0' encoding='UTF-8'?>",
                               "<kml xmlns=\"http://earth.google.com/kml/2.0\">",
                               "<Folder>",
                               "  <name></name>",
                               "  <open>1</open>",
                               "  <Placemark>",
                               "    <name>A-1</name>",
                               "    <LookAt>",
                               "      <longitude>24.5</longitude>",
                               "      <latitude>60.25</latitude>",
                               "      <range>1500</range>",
                               "      <tilt>65.3</tilt>",
                               "      <heading>0.000</heading>",
                               "    </LookAt>",
                               "    <styleUrl>root://styles#default+icon=0x307</styleUrl>",
                               "    <Point>",
                               "      <coordinates>24.5,60.25,0</coordinates>",
                               "    </Point>",
                               "  </Placemark>",
                               "</Folder>",
                               "</kml>"};
    EXPECT_EQ(doc.lines, expected);
}

TEST(KmlDocument, DescriptionChoices) {
    using D = KmlSettings::Description;
    const RowSet rows = samples({{txt("A-1"), num(60), num(24), txt("Granite"), num(0.5)}});
    const RowSet nullRock =
        samples({{txt("A-1"), num(60), num(24), CellValue::null(), CellValue::null()}});
    struct Case {
        const char* name;
        D description;
        int column;
        std::vector<bool> visible;
        const RowSet* rows;
        QStringList expected; // lines between <name> and <LookAt>
    };
    const std::vector<Case> cases{
        {"none", D::None, -1, {}, &rows, {}},
        {"one column", D::Column, 3, {}, &rows, {"    <description>Rock: Granite</description>"}},
        {"one Null column", D::Column, 3, {}, &nullRock, {}},
        {"all",
         D::All,
         -1,
         {},
         &rows,
         {"    <description>", "Rock: Granite", "Au: 0.5", "    </description>"}},
        {"all visible",
         D::AllVisible,
         -1,
         {true, true, true, true, false},
         &rows,
         {"    <description>", "Rock: Granite", "    </description>"}},
        {"all, every other column Null",
         D::All,
         -1,
         {},
         &nullRock,
         {"    <description>", "    </description>"}},
    };
    for (const Case& c : cases) {
        const auto doc = KmlDocument::build(*c.rows, c.visible, placed(c.description, c.column));
        const QStringList mark = firstPlacemark(doc.lines);
        ASSERT_GE(mark.size(), 3) << c.name;
        const qsizetype lookAt = mark.indexOf(QStringLiteral("    <LookAt>"));
        EXPECT_EQ(mark.mid(2, lookAt - 2), c.expected) << c.name;
    }
}

TEST(KmlDocument, RowsWithoutNameOrPositionAreLeftOutAndNotCounted) {
    const auto doc = KmlDocument::build(samples({{txt("A-1"), CellValue::null(), num(24), {}, {}},
                                                 {CellValue::null(), num(60), num(24), {}, {}},
                                                 {txt("A-3"), num(61), CellValue::null(), {}, {}},
                                                 {txt("A-4"), num(62), num(25), {}, {}}}),
                                        {}, placed());
    EXPECT_EQ(doc.written, 1);
    EXPECT_EQ(doc.lines.count(QStringLiteral("  <Placemark>")), 1);
    EXPECT_TRUE(doc.lines.contains(QStringLiteral("    <name>A-4</name>")));
}

TEST(KmlDocument, ValuesAreEscapedAndFolded) {
    const auto doc = KmlDocument::build(
        samples({{txt("Mäntyharju & <Åbo> ö"), num(60), num(24), txt("a<b"), {}}}), {},
        placed(KmlSettings::Description::Column, 3));
    EXPECT_TRUE(
        doc.lines.contains(QStringLiteral("    <name>Mantyharju &amp; &lt;Åbo&gt; o</name>")))
        << doc.lines.join('\n').toStdString();
    EXPECT_TRUE(doc.lines.contains(QStringLiteral("    <description>Rock: a&lt;b</description>")));
}

TEST(KmlDocument, StopsAfterTheLineLimitAndStillCloses) {
    RowSet rows(QStringList{"SampleNo", "Lat", "Lon"});
    for (int i = 0; i < 2000; ++i)
        rows.appendRow({num(i), num(60), num(24)});
    const auto doc = KmlDocument::build(rows, {}, placed());
    EXPECT_TRUE(doc.truncated);
    // 5 opening lines and 14 per placemark: the first placemark past 16200 lines is the last.
    EXPECT_EQ(doc.written, (KmlDocument::lineLimit - 5) / 14 + 1);
    EXPECT_EQ(doc.lines.count(QStringLiteral("  <Placemark>")), doc.written);
    EXPECT_EQ(doc.lines.mid(doc.lines.size() - 3),
              (QStringList{"  </Placemark>", "</Folder>", "</kml>"}));
}

TEST(KmlSettingsForm, RangeAndTiltBounds) {
    const std::vector<std::pair<const char*, float>> ranges{
        {"5", 40000.0f},      {"10", 10.0f},     {"500000", 500000.0f},
        {"500001", 40000.0f}, {"abc", 40000.0f}, {"1200.5", 1200.5f}};
    for (const auto& [text, expected] : ranges)
        EXPECT_EQ(KmlSettingsForm::boundedRange(QString::fromLatin1(text)), expected) << text;
    const std::vector<std::pair<const char*, float>> tilts{
        {"-3", 0.0f}, {"0", 0.0f}, {"90", 90.0f}, {"120", 65.0f}, {"45.5", 45.5f}};
    for (const auto& [text, expected] : tilts)
        EXPECT_EQ(KmlSettingsForm::boundedTilt(QString::fromLatin1(text)), expected) << text;
}

TEST(KmlSettingsForm, RequiredColumnsWarnAndKeepTheLastValidSettings) {
    KmlSettings settings;
    KmlSettingsForm form({"SampleNo", "Lat", "Lon", "Rock"}, settings);
    EXPECT_EQ(form.descriptionList().mid(4), (QStringList{"<<All>>", "<<All visible>>"}));
    struct Case {
        KmlSettingsForm::Choice choice;
        const char* warning;
    };
    const std::vector<Case> cases{
        {{-1, 1, 2, -1, "100", "10"}, "Header required for Google Earth File."},
        {{0, 1, -1, -1, "100", "10"}, "Longitude required for Google Earth File."},
        {{0, -1, 2, -1, "100", "10"}, "Latitude required for Google Earth File."},
    };
    for (const Case& c : cases) {
        ScriptedDialogs dialogs;
        EXPECT_FALSE(form.accept(c.choice, dialogs));
        EXPECT_EQ(dialogs.texts(), QStringList{QString::fromLatin1(c.warning)});
        EXPECT_FALSE(settings.hasPlacement());
    }
    ScriptedDialogs dialogs;
    ASSERT_TRUE(form.accept({0, 1, 2, 5, "5", "120"}, dialogs)); // 5 = "<<All visible>>"
    EXPECT_EQ(settings.description, KmlSettings::Description::AllVisible);
    EXPECT_EQ(settings.range, 40000.0f);
    EXPECT_EQ(settings.tilt, 65.0f);
    const auto shown = KmlSettingsForm({"SampleNo", "Lat", "Lon", "Rock"}, settings).current();
    EXPECT_EQ(shown.description, 5);
    EXPECT_EQ(shown.range, QStringLiteral("40000"));
    EXPECT_EQ(shown.tilt, QStringLiteral("65"));
}

TEST(KmlExport, FileNameFromTheCaption) {
    const std::vector<std::pair<const char*, const char*>> cases{
        {"Grid/Rock Samples>", "Rock Samples"},
        {"Grid", "Selection"},
        {"a/b/c", "b/c"},
        {"Grid/Au>>", "Au>"}};
    for (const auto& [caption, name] : cases)
        EXPECT_EQ(KmlExport::fileName(QString::fromLatin1(caption)), QString::fromLatin1(name));
}

TEST(KmlExport, RefusalsWriteNothing) {
    ScriptedDialogs dialogs;
    KmlExport kml(dialogs);
    EXPECT_TRUE(kml.run(samples({}), {}, placed(), "Grid/x", "/tmp").isEmpty());
    EXPECT_TRUE(
        kml.run(samples({{txt("A"), num(1), num(2), {}, {}}}), {}, KmlSettings{}, "Grid/x", "/tmp")
            .isEmpty());
    EXPECT_EQ(dialogs.texts(), (QStringList{"Select the rows to be included in the file!",
                                            "Header, Latitude and Longitude are required!"}));
    dialogs.clearLog();
    dialogs.queueCancel(); // the save box
    EXPECT_TRUE(kml.run(samples({{txt("A"), num(1), num(2), {}, {}}}), {}, placed(), "Grid/x", "/u")
                    .isEmpty());
    EXPECT_EQ(dialogs.lastSuggestedPath(), QStringLiteral("/u/x.kml"));
}

TEST(KmlExport, WritesTheFileAndSaysWhenItCannot) {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    KmlExport kml(dialogs, &status);
    const QString path = dir.filePath(QStringLiteral("rocks.kml"));
    dialogs.queueText(path);
    EXPECT_EQ(kml.run(samples({{txt("Ä-1"), num(60), num(24), {}, {}}}), {}, placed(),
                      "Grid/rocks>", dir.path()),
              path);
    EXPECT_EQ(status.texts(), QStringList{QStringLiteral("1 placemarks written to ") + path});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.startsWith(QStringLiteral("<?xml version='1.0' encoding='UTF-8'?>\n")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("</Folder>\n</kml>\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("<name>Ä-1</name>"))); // only ä, ö, å are folded

    const QString blocked = dir.filePath(QStringLiteral("no/such/folder/x.kml"));
    dialogs.clearLog();
    dialogs.queueText(blocked);
    EXPECT_TRUE(
        kml.run(samples({{txt("A"), num(60), num(24), {}, {}}}), {}, placed(), "Grid", dir.path())
            .isEmpty());
    ASSERT_EQ(dialogs.log().size(), 2u);
    EXPECT_EQ(status.texts().size(), 1); // nothing said to be written
    EXPECT_TRUE(
        dialogs.log().back().text.startsWith(QStringLiteral("Error in writing file ") + blocked));
}
