#include "platform/qt/ComboRefill.h"

#include <gtest/gtest.h>

TEST(ComboRefill, KeepsTheChoiceAndShowsEveryNameInFull) {
    QComboBox box;
    box.setFixedWidth(60); // far narrower than the names
    refillKeepingChoice(&box, {"SampleNo", "RequestedAnalysisDate", "Au_ppm"});
    box.setCurrentIndex(1);
    refillKeepingChoice(&box, {"Au_ppm", "RequestedAnalysisDate"});
    EXPECT_EQ(box.currentText(), QStringLiteral("RequestedAnalysisDate"));
    EXPECT_EQ(box.toolTip(), QStringLiteral("RequestedAnalysisDate"));
    EXPECT_EQ(box.itemData(0, Qt::ToolTipRole).toString(), QStringLiteral("Au_ppm"));
    EXPECT_GE(box.view()->minimumWidth(),
              QFontMetrics(box.view()->font())
                  .horizontalAdvance(QStringLiteral("RequestedAnalysisDate")));
    box.setCurrentIndex(0);
    EXPECT_EQ(box.toolTip(), QStringLiteral("Au_ppm"));
    // A choice the new list lacks is not kept.
    refillKeepingChoice(&box, {"Cu_ppm"});
    EXPECT_EQ(box.currentText(), QStringLiteral("Cu_ppm"));
    EXPECT_EQ(box.toolTip(), QStringLiteral("Cu_ppm"));
}
