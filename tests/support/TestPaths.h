#pragma once
// Where tests find the repository's files and the build tree. Every test file is named by its
// path inside the repository; a path that leaves it fails the test at once, so no test can
// come to depend on files that a fresh clone does not have.
#include <QString>

namespace testpaths {
// The build tree (the program, the sample database, test-output/).
QString binaryDir();
// A file of the repository by its path inside it ("tests/data/assays.xls"); empty, and the
// running test failed, when the path reaches outside.
QString repoFile(const QString& relative);
// A file of tests/data by its path inside that folder.
QString testData(const QString& relative);
} // namespace testpaths
