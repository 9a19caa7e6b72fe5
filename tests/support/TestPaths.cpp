#include "support/TestPaths.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace testpaths {
namespace {
QString sourceDir() {
    return QDir::cleanPath(QStringLiteral(QUV_SOURCE_DIR));
}

// Symbolic links are followed, so a link inside the repository cannot lead out of it.
QString resolved(const QString& path) {
    const QFileInfo info(path);
    return info.exists() ? info.canonicalFilePath() : QDir::cleanPath(path);
}
} // namespace

QString binaryDir() {
    return QStringLiteral(QUV_BINARY_DIR);
}

QString repoFile(const QString& relative) {
    const QString root = resolved(sourceDir());
    const QString path = resolved(sourceDir() + QLatin1Char('/') + relative);
    if (QDir::isAbsolutePath(relative) || !path.startsWith(root + QLatin1Char('/'))) {
        ADD_FAILURE() << "test file outside the repository: " << relative.toStdString();
        return {};
    }
    return path;
}

QString testData(const QString& relative) {
    return repoFile(QStringLiteral("tests/data/") + relative);
}
} // namespace testpaths
