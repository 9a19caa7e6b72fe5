#pragma once
// Where tests find the sources, the build tree and the shared test data.
#include <QString>

namespace testpaths {
inline QString sourceDir() {
    return QStringLiteral(QUV_SOURCE_DIR);
}
inline QString binaryDir() {
    return QStringLiteral(QUV_BINARY_DIR);
}
inline QString sharedTestData(const QString& name) {
    return QStringLiteral(QUV_SHARED_DIR "/testdata/") + name;
}
} // namespace testpaths
