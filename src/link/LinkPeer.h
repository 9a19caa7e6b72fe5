#pragma once
// The sibling program as this program reaches it: over its local socket (one message per
// connection, written and flushed before the socket closes), or as a file in its folder
// (written whole under a temporary name, then renamed, so a watcher never reads half a file).
#include "link/LinkSettings.h"

class LinkPeer {
public:
    explicit LinkPeer(LinkSettings settings)
        : settings_(std::move(settings)) {}
    virtual ~LinkPeer() = default;

    // Whether the sibling program can be reached now (its socket answers, its folder exists).
    virtual bool reachable() const;
    // Sends the text; false when it could not be delivered.
    virtual bool send(const QString& text);

    const LinkSettings& settings() const { return settings_; }

private:
    LinkSettings settings_;
    int sent_ = 0; // numbers the files of one millisecond apart
};
