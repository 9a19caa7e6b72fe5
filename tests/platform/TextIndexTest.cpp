#include "platform/TextIndex.h"

#include <gtest/gtest.h>
#include <memory>

TEST(TextIndexTest, IndexesFollowFirstAppearanceAndSurviveCopiesOfThemselves) {
    auto original = std::make_unique<TextIndex>();
    const QStringList rows{QStringLiteral("Granite"), QString(),          QStringLiteral("Basalt"),
                           QStringLiteral("Granite"), QStringLiteral(""), QStringLiteral("basalt")};
    std::vector<quint32> indexes;
    for (const QString& text : rows)
        indexes.push_back(original->indexOf(text));
    // Null and empty are one text; case counts.
    EXPECT_EQ(indexes, (std::vector<quint32>{0, 1, 2, 0, 1, 3}));

    // A copy looks up in its own characters: the original may go first.
    TextIndex copy = *original;
    original.reset();
    ASSERT_EQ(copy.size(), 4u);
    EXPECT_EQ(copy.find(u"Basalt"), 2u);
    EXPECT_EQ(copy.find(u"Andesite"), std::nullopt);
    EXPECT_EQ(copy.text(3), QStringLiteral("basalt"));
    // A text given as raw characters is kept as its own copy, not a view of the caller's.
    QString buffer = QStringLiteral("Dacite");
    EXPECT_EQ(copy.indexOf(QString::fromRawData(buffer.constData(), buffer.size())), 4u);
    buffer[0] = u'X';
    EXPECT_EQ(copy.find(u"Dacite"), 4u);
}
