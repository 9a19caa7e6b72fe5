#include "platform/IniFile.h"

#include "platform/FilePaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The profile API drops one pair of matching quotes around a value.
QString unquoted(const QString& v) {
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        return v.mid(1, v.size() - 2);
    return v;
}

} // namespace

IniFile IniFile::load(const QString& path) {
    QFile f(FilePaths::normalized(path));
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly))
        return {};
    return parse(QString::fromUtf8(f.readAll()));
}

IniFile IniFile::parse(const QString& text) {
    IniFile ini;
    QStringList rows = text.split(u'\n');
    if (!rows.isEmpty() && rows.back().isEmpty())
        rows.removeLast();
    for (QString row : rows) {
        if (row.endsWith(u'\r'))
            row.chop(1);
        Line line;
        line.raw = row;
        const QString t = row.trimmed();
        const qsizetype eq = t.indexOf(u'=');
        if (t.startsWith(u'[') && t.indexOf(u']') > 0) {
            line.kind = Line::Section;
            line.name = t.mid(1, t.indexOf(u']') - 1).trimmed();
        } else if (eq > 0 && !t.startsWith(u';')) {
            line.kind = Line::Entry;
            line.name = t.left(eq).trimmed();
            line.value = t.mid(eq + 1).trimmed();
        }
        ini.lines_.push_back(std::move(line));
    }
    return ini;
}

int IniFile::findSection(const QString& section) const {
    for (size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Line::Section && sameName(lines_[i].name, section))
            return int(i);
    return -1;
}

int IniFile::findEntry(int sectionLine, const QString& key) const {
    for (size_t i = size_t(sectionLine) + 1; i < lines_.size(); ++i) {
        if (lines_[i].kind == Line::Section)
            break;
        if (lines_[i].kind == Line::Entry && sameName(lines_[i].name, key))
            return int(i);
    }
    return -1;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const {
    const int s = findSection(section);
    if (s < 0)
        return std::nullopt;
    const int e = findEntry(s, key);
    if (e < 0)
        return std::nullopt;
    return unquoted(lines_[size_t(e)].value).left(maxValueLength);
}

void IniFile::setValue(const QString& section, const QString& key, const QString& rawValue) {
    // A line break would end the entry and turn the rest into junk lines.
    QString value = rawValue;
    value.replace(u'\r', u' ').replace(u'\n', u' ');
    Line entry;
    entry.kind = Line::Entry;
    entry.name = key;
    entry.value = value;
    entry.raw = key + u'=' + value;

    int s = findSection(section);
    if (s < 0) {
        Line head;
        head.kind = Line::Section;
        head.name = section;
        head.raw = u'[' + section + u']';
        lines_.push_back(head);
        lines_.push_back(entry);
        return;
    }
    const int e = findEntry(s, key);
    if (e >= 0) {
        entry.name = lines_[size_t(e)].name; // keep the spelling the file had
        entry.raw = entry.name + u'=' + value;
        lines_[size_t(e)] = entry;
        return;
    }
    // After the section's last entry, so trailing blank lines and comments stay apart.
    size_t at = size_t(s) + 1;
    for (size_t i = at; i < lines_.size() && lines_[i].kind != Line::Section; ++i)
        if (lines_[i].kind == Line::Entry)
            at = i + 1;
    lines_.insert(lines_.begin() + qsizetype(at), entry);
}

QStringList IniFile::sections() const {
    QStringList out;
    for (const Line& l : lines_)
        if (l.kind == Line::Section)
            out << l.name;
    return out;
}

QStringList IniFile::keys(const QString& section) const {
    QStringList out;
    const int s = findSection(section);
    if (s < 0)
        return out;
    for (size_t i = size_t(s) + 1; i < lines_.size() && lines_[i].kind != Line::Section; ++i)
        if (lines_[i].kind == Line::Entry)
            out << lines_[i].name;
    return out;
}

QString IniFile::text() const {
    QString out;
    for (const Line& l : lines_)
        out += l.raw + u'\n';
    return out;
}

bool IniFile::save(const QString& rawPath, QString* errorText) const {
    const QString path = FilePaths::normalized(rawPath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text().toUtf8()) < 0 || !f.commit()) {
        if (errorText)
            *errorText = f.errorString();
        return false;
    }
    return true;
}
