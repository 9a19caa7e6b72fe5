#include "platform/Utf8Interner.h"

#include <gtest/gtest.h>

namespace {

// Repeats share one decoded text (what lets a classifier find its classes by address); past the
// remembered count texts still decode right, each on its own.
TEST(Utf8Interner, RepeatsShareOneTextAndEveryTextDecodesRight) {
    Utf8Interner interner;
    const QByteArray granite = QByteArrayLiteral("Granit\xc3\xa9");
    const QString first = interner.text(granite);
    const QString again = interner.text(QByteArray(granite));
    EXPECT_EQ(first, QStringLiteral("Granit\u00e9"));
    EXPECT_EQ(first.constData(), again.constData());
    EXPECT_EQ(interner.text(QByteArrayView()), QString());
    for (size_t i = 0; i <= Utf8Interner::remembered; ++i)
        interner.text(QByteArray::number(qulonglong(i)));
    const QString late = interner.text(QByteArrayLiteral("late"));
    const QString lateAgain = interner.text(QByteArrayLiteral("late"));
    EXPECT_EQ(std::pair(late, lateAgain), std::pair(QString("late"), QString("late")));
    EXPECT_NE(late.constData(), lateAgain.constData());
    EXPECT_EQ(interner.text(granite).constData(), first.constData());
}

} // namespace
