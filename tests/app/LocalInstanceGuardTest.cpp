#include "app/LocalInstanceGuard.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QUuid>
#include <gtest/gtest.h>

namespace {
QString uniqueName() {
    return QStringLiteral("quv-test-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

bool waitFor(const std::function<bool()>& condition) {
    QElapsedTimer t;
    t.start();
    while (!condition() && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}
} // namespace

TEST(LocalInstanceGuard, SecondStartFindsTheFirstAndActivatesIt) {
    const QString name = uniqueName();
    LocalInstanceGuard first(name);
    EXPECT_FALSE(first.otherInstanceRunning());
    ASSERT_TRUE(first.listen());
    int activations = 0;
    QObject::connect(&first, &LocalInstanceGuard::activationRequested, [&] { ++activations; });

    LocalInstanceGuard second(name);
    EXPECT_TRUE(second.otherInstanceRunning());
    EXPECT_FALSE(second.listen());
    second.activateOtherInstance();
    EXPECT_TRUE(waitFor([&] { return activations == 1; }));
}

TEST(LocalInstanceGuard, NobodyListeningMeansNoOtherInstance) {
    LocalInstanceGuard alone(uniqueName());
    EXPECT_FALSE(alone.otherInstanceRunning());
    alone.activateOtherInstance(); // nobody to tell: returns quietly
    EXPECT_TRUE(alone.listen());
}
