#pragma once
// Runs a reader of untrusted files (FreeXL, libmdb) in a forked child process, so that a crash or
// an endless loop inside the library becomes an error message and the program goes on. The child
// runs the given function, writes the bytes it returns to a pipe and leaves with _exit; the parent
// collects them within a time limit and reaps the child.
//
// The program has Qt threads: the function must touch only the library, plain memory (QString,
// QByteArray, the program's own value types), files and SQLite connections it opens itself. No
// event loop, no QObject, no Qt class that locks or talks to other threads. Used by the .xls reader
// and the Jet import.
#include <QByteArray>
#include <QString>
#include <chrono>
#include <functional>
#include <optional>

class IsolatedRun {
public:
    using Seconds = std::chrono::seconds;

    struct Outcome {
        // What the function returned; none when the child crashed, failed or was stopped.
        std::optional<QByteArray> output;
        // Why there is no output: "it stopped with signal 11 (Segmentation fault)", "it stopped
        // with exit code 1", "it could not be started: ...". Empty on success and on time-out.
        QString failure;
        bool timedOut = false;
        // The last line the library wrote to its error output (libmdb and FreeXL say there why
        // they stop); the rest is dropped rather than flooding the program's terminal.
        QString lastMessage;
        bool ok() const { return output.has_value(); }
    };

    // The limit for reading a file of `bytes`: a minute plus a second per megabyte, which no
    // sound file needs (the readers manage several megabytes a second) and which still ends a
    // library that loops without end.
    static Seconds limitFor(qint64 bytes);

    explicit IsolatedRun(Seconds limit)
        : limit_(limit) {}

    Outcome run(const std::function<QByteArray()>& work) const;

    // The message for a failed outcome: "The <reader> failed on the file <path> (<failure>)" or
    // "Reading <path> took longer than N seconds; the file may be damaged", and when the library
    // said something, "; its last message: <line>".
    QString errorText(const Outcome& outcome, const QString& reader, const QString& path) const;

private:
    Seconds limit_;
};
