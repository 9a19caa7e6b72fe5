#include "support/DbfFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <shapefil.h>

namespace testdbf {

QString write(const QString& folder, const QString& base, const char* codePage,
              const std::vector<Field>& fields, const std::vector<std::vector<Value>>& records,
              const std::set<int>& deleted) {
    const QString path = QDir(folder).filePath(base + QStringLiteral(".dbf"));
    DBFHandle dbf = DBFCreateEx(QFile::encodeName(path).constData(), codePage);
    if (!dbf)
        return {};
    bool ok = true;
    for (const Field& f : fields)
        ok = ok && DBFAddNativeFieldType(dbf, f.name, f.type, f.width, f.decimals) >= 0;
    for (int r = 0; ok && r < int(records.size()); ++r) {
        for (int c = 0; ok && c < int(records[size_t(r)].size()); ++c) {
            const Value& v = records[size_t(r)][size_t(c)];
            ok = v ? DBFWriteAttributeDirectly(dbf, r, c, const_cast<char*>(v->c_str()))
                   : DBFWriteNULLAttribute(dbf, r, c);
        }
        if (ok && deleted.count(r))
            ok = DBFMarkRecordDeleted(dbf, r, 1);
    }
    DBFClose(dbf);
    // As a file that has lain in the folder for a while: a copy made right after it is newer
    // even where file times are only as fine as the kernel's clock tick.
    QFile written(path);
    ok = ok && written.open(QIODevice::ReadWrite) &&
         written.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                             QFileDevice::FileModificationTime);
    return ok ? path : QString();
}

} // namespace testdbf
