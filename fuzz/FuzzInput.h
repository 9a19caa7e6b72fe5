#pragma once
// What every fuzz target needs around its parser: the input as bytes or text, a choice of
// parser by the first byte, a check that stops the run with a reason, and one temporary folder
// per process for the parsers that read files. Nothing is written outside that folder; each
// input's files are removed before the next input.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline QByteArray bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

inline QString text(const uint8_t* data, size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Stops the run: libFuzzer keeps the input that got here as a crash.
inline void check(bool ok, const char* what) {
    if (ok)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

// The first byte picks one of several parsers, the rest is that parser's input; seeds start
// with the parser's letter, so every corpus file says which parser it is for.
struct Selected {
    char parser = 0;
    QByteArray input;
};
inline Selected select(const uint8_t* data, size_t size) {
    if (size == 0)
        return {};
    return {char(data[0]), bytes(data + 1, size - 1)};
}

// The first line of a text and the rest (everything after the first '\n').
inline std::pair<QByteArray, QByteArray> firstLine(const QByteArray& input) {
    const qsizetype end = input.indexOf('\n');
    if (end < 0)
        return {input, {}};
    return {input.left(end), input.mid(end + 1)};
}

// The process's temporary folder. Files are written under "work/", which empty() clears.
class Sandbox {
public:
    static Sandbox& instance() {
        static Sandbox sandbox;
        return sandbox;
    }
    // The folder that stays for the whole run (fixtures made once).
    QString root() const { return dir_.path(); }
    // The folder of one input, emptied by empty().
    QString work() const { return dir_.filePath(QStringLiteral("work")); }
    QString path(const QString& name) const { return work() + QLatin1Char('/') + name; }

    QString write(const QString& name, const QByteArray& content) const {
        const QString p = path(name);
        QFile f(p);
        check(f.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write a sandbox file");
        check(f.write(content) == content.size(), "cannot write a sandbox file");
        return p;
    }
    void empty() const {
        QDir(work()).removeRecursively();
        QDir().mkpath(work());
    }

private:
    Sandbox() {
        check(dir_.isValid(), "no temporary folder");
        QDir().mkpath(work());
    }
    QTemporaryDir dir_{QDir::tempPath() + QStringLiteral("/quv-fuzz-XXXXXX")};
};

// Empties the work folder when an input is done, however the target returns.
class WorkFiles {
public:
    WorkFiles() { Sandbox::instance().empty(); }
    ~WorkFiles() { Sandbox::instance().empty(); }
    WorkFiles(const WorkFiles&) = delete;
    WorkFiles& operator=(const WorkFiles&) = delete;
    QString write(const QString& name, const QByteArray& content) const {
        return Sandbox::instance().write(name, content);
    }
    QString path(const QString& name) const { return Sandbox::instance().path(name); }
    QString folder() const { return Sandbox::instance().work(); }
};

} // namespace fuzz
