#pragma once
// Headless Status: keeps every status text (tests read them) and, when given a stream, writes
// one progress line per call (batch runs write to stderr). Abort is requested programmatically.
#include "platform/Status.h"

#include <QStringList>
#include <cstdio>

class HeadlessStatus : public Status {
public:
    explicit HeadlessStatus(std::FILE* echo = nullptr)
        : echo_(echo) {}

    void showStatus(const QString& text, int progress) override;
    bool abortRequested() override { return abort_; }
    void resetAbort() override { abort_ = false; }

    void requestAbort() { abort_ = true; }
    const QStringList& texts() const { return texts_; }
    int lastProgress() const { return progress_; }

private:
    std::FILE* echo_;
    QStringList texts_;
    int progress_ = 0;
    bool abort_ = false;
};
