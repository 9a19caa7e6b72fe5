#include "db/LinkBuilder.h"

namespace {

QStringList firstFields(const SchemaCatalogue& c, const QString& table) {
    QStringList out;
    const int row = c.tableRow(table);
    if (!row)
        return out;
    for (int col = 2; col <= 4; ++col)
        out << c.tableFields.text(row, col);
    return out;
}

} // namespace

void LinkBuilder::BuildLinks(SchemaCatalogue& c) {
    Sheet& links = c.links;
    links.clear();
    int next = 1;

    const int keyRows = c.keyList.lastRow();
    for (int r = 1; r <= keyRows && !c.keyList.text(r, 1).isEmpty(); ++r) {
        if (c.keyList.text(r, 2).isEmpty())
            continue;
        const QString table = c.keyList.text(r, 1);
        links.setText(next, 1, table);
        links.setText(next, 2, table);
        int col = 3;
        for (const QString& key : c.keyFields(r)) {
            links.setText(next, col++, key);
            links.setText(next, col++, key);
        }
        ++next;
    }

    for (int i = 1; i <= keyRows; ++i) {
        for (int j = i + 1; j <= keyRows; ++j) {
            const QString first = c.keyList.text(i, 1);
            const QString second = c.keyList.text(j, 1);
            links.setText(next, 1, first);
            links.setText(next, 2, second);
            const QStringList keysJ = c.keyFields(j);
            int col = 3;
            for (const QString& key : c.keyFields(i)) {
                for (const QString& other : keysJ) {
                    if (other == key) {
                        links.setText(next, col++, key);
                        links.setText(next, col++, other);
                    }
                }
            }
            if (col == 3 && c.tableFields.lastColumn() >= 4) {
                const QStringList a = firstFields(c, first);
                const QStringList b = firstFields(c, second);
                for (const QString& name : a) {
                    if (!name.isEmpty() && b.contains(name)) {
                        // Column 4 gets the name too, so the row is a usable link.
                        links.setText(next, 3, name);
                        links.setText(next, 4, name);
                        break;
                    }
                }
            }
            ++next;
        }
    }
}
