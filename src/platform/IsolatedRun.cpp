#include "platform/IsolatedRun.h"

#include <QList>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

// Present only in sanitizer and fuzzer builds.
extern "C" void __sanitizer_set_death_callback(void (*callback)(void)) __attribute__((weak));

namespace {

using Clock = std::chrono::steady_clock;

// Exit codes of the child besides 0.
constexpr int childThrew = 2;
constexpr int childOutOfMemory = 3;
constexpr int childCannotWrite = 4;

// The output goes after its length, so that a child that leaves early (a signal handler of a
// sanitizer or fuzzer that exits with 0) cannot pass a truncated output off as whole.
constexpr int lengthBytes = 8;

QString errnoText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool writeAll(int fd, const char* data, qint64 size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

// A crash in the child is the parent's news, not the child's: fatal signals kill it plainly,
// and a sanitizer or fuzzer runtime inherited from the parent must not report it as the
// parent's crash (libFuzzer would save the input as a crash of the fuzz target).
void letFaultsEndTheChild() {
    for (int signal : {SIGSEGV, SIGBUS, SIGABRT, SIGILL, SIGFPE, SIGINT, SIGTERM, SIGALRM, SIGUSR1,
                       SIGUSR2, SIGPIPE, SIGXFSZ})
        std::signal(signal, SIG_DFL);
    if (__sanitizer_set_death_callback)
        __sanitizer_set_death_callback(nullptr);
}

[[noreturn]] void runChild(int out, int errors, const std::function<QByteArray()>& work) {
    letFaultsEndTheChild();
    // The library's error output goes to the parent; what it prints otherwise (libmdb dumps
    // pages) goes nowhere.
    ::dup2(errors, STDERR_FILENO);
    if (const int nowhere = ::open("/dev/null", O_WRONLY); nowhere >= 0)
        ::dup2(nowhere, STDOUT_FILENO);
    int code = 0;
    try {
        const QByteArray output = work();
        unsigned char length[lengthBytes];
        for (int i = 0; i < lengthBytes; ++i)
            length[i] = static_cast<unsigned char>(quint64(output.size()) >> (8 * i));
        if (!writeAll(out, reinterpret_cast<const char*>(length), lengthBytes) ||
            !writeAll(out, output.constData(), output.size()))
            code = childCannotWrite;
    } catch (const std::bad_alloc&) {
        code = childOutOfMemory;
    } catch (...) {
        code = childThrew;
    }
    // No destructors, no atexit handlers: they belong to the parent's objects.
    ::_exit(code);
}

std::optional<QByteArray> unframed(const QByteArray& bytes) {
    if (bytes.size() < lengthBytes)
        return std::nullopt;
    quint64 length = 0;
    for (int i = 0; i < lengthBytes; ++i)
        length |= quint64(static_cast<unsigned char>(bytes[i])) << (8 * i);
    if (length != quint64(bytes.size() - lengthBytes))
        return std::nullopt;
    return bytes.mid(lengthBytes);
}

QString exitText(int status) {
    if (WIFSIGNALED(status))
        return QStringLiteral("it stopped with signal %1").arg(WTERMSIG(status));
    switch (WEXITSTATUS(status)) {
    case childOutOfMemory:
        return QStringLiteral("it ran out of memory");
    case childCannotWrite:
        return QStringLiteral("it could not hand over what it read");
    default:
        return QStringLiteral("it stopped with exit code %1").arg(WEXITSTATUS(status));
    }
}

// The last non-empty line of what the child wrote to its error output, at most 200 characters.
// A child stopped while writing leaves half a line at the end: a whole line before it is meant.
QString lastLine(const QByteArray& tail) {
    QList<QByteArray> lines = tail.split('\n');
    if (lines.size() > 1 && !lines.back().trimmed().isEmpty())
        lines.removeLast();
    for (auto it = lines.crbegin(); it != lines.crend(); ++it)
        if (const QByteArray line = it->trimmed(); !line.isEmpty())
            return QString::fromUtf8(line.right(200));
    return {};
}

int remainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return int(std::clamp<qint64>(left, 0, 1000));
}

} // namespace

IsolatedRun::Seconds IsolatedRun::limitFor(qint64 bytes) {
    constexpr qint64 megabyte = 1 << 20;
    return Seconds(60) + Seconds(std::max<qint64>(bytes, 0) / megabyte);
}

IsolatedRun::Outcome IsolatedRun::run(const std::function<QByteArray()>& work) const {
    Outcome outcome;
    int fds[2], errs[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        outcome.failure = QStringLiteral("it could not be started: ") + errnoText();
        return outcome;
    }
    if (::pipe2(errs, O_CLOEXEC) != 0) {
        outcome.failure = QStringLiteral("it could not be started: ") + errnoText();
        ::close(fds[0]);
        ::close(fds[1]);
        return outcome;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        outcome.failure = QStringLiteral("it could not be started: ") + errnoText();
        for (int fd : {fds[0], fds[1], errs[0], errs[1]})
            ::close(fd);
        return outcome;
    }
    if (child == 0) {
        ::close(fds[0]);
        ::close(errs[0]);
        runChild(fds[1], errs[1], work);
    }
    ::close(fds[1]);
    ::close(errs[1]);
    ::fcntl(errs[0], F_SETFL, O_NONBLOCK); // never waits on a writer that lingers

    // Read while the child writes (it would block on a full pipe), until it closes its output.
    // Of its error output only the end is kept.
    constexpr qsizetype keptErrors = 4096;
    const Clock::time_point deadline = Clock::now() + limit_;
    QByteArray bytes, errors;
    char chunk[65536];
    bool ended = false, errorsOpen = true;
    const auto readErrors = [&] {
        const ssize_t n = ::read(errs[0], chunk, sizeof chunk);
        if (n > 0)
            errors = (errors + QByteArray(chunk, n)).right(keptErrors);
        return n;
    };
    while (!ended && Clock::now() < deadline) {
        pollfd p[2]{{fds[0], POLLIN, 0}, {errorsOpen ? errs[0] : -1, POLLIN, 0}};
        const int ready = ::poll(p, 2, remainingMs(deadline));
        if (ready <= 0)
            continue; // time passed, or a signal (EINTR): look at the clock again
        if (p[1].revents != 0) {
            const ssize_t n = readErrors();
            if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN))
                errorsOpen = false;
        }
        if (p[0].revents == 0)
            continue;
        const ssize_t n = ::read(fds[0], chunk, sizeof chunk);
        if (n > 0)
            bytes.append(chunk, n);
        else if (n == 0 || errno != EINTR)
            ended = true;
    }
    // What the child wrote last before it closed its output is already in the pipe.
    while (errorsOpen && readErrors() > 0) {
    }
    ::close(fds[0]);
    ::close(errs[0]);
    outcome.lastMessage = lastLine(errors);

    // The pipe closes when the child ends; its exit follows at once, so a short grace suffices.
    int status = 0;
    pid_t reaped = 0;
    if (ended) {
        const Clock::time_point grace = std::max(deadline, Clock::now() + std::chrono::seconds(2));
        while ((reaped = ::waitpid(child, &status, WNOHANG)) == 0 && Clock::now() < grace)
            ::usleep(1000);
    }
    if (reaped == 0) {
        ::kill(child, SIGKILL);
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        outcome.timedOut = true;
        return outcome;
    }
    if (reaped < 0) {
        outcome.failure = QStringLiteral("it could not be waited for: ") + errnoText();
        return outcome;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        outcome.failure = exitText(status);
        return outcome;
    }
    outcome.output = unframed(bytes);
    if (!outcome.output)
        outcome.failure = QStringLiteral("it ended without handing over what it read");
    return outcome;
}

QString IsolatedRun::errorText(const Outcome& outcome, const QString& reader,
                               const QString& path) const {
    const QString said = outcome.lastMessage.isEmpty()
                             ? QString()
                             : QStringLiteral("; its last message: ") + outcome.lastMessage;
    if (outcome.timedOut)
        return QStringLiteral("Reading %1 took longer than %2 seconds; the file may be damaged")
                   .arg(path)
                   .arg(limit_.count()) +
               said;
    return QStringLiteral("The %1 failed on the file %2 (%3)").arg(reader, path, outcome.failure) +
           said;
}
