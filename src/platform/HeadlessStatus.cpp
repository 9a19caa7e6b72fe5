#include "platform/HeadlessStatus.h"

void HeadlessStatus::showStatus(const QString& text, int progress) {
    progress_ = progress;
    const QString shown = progress == 0 && text.isEmpty() ? readyText() : text;
    if (shown.isEmpty())
        return;
    texts_ << shown;
    if (echo_) {
        std::fprintf(echo_, "%s\n", qUtf8Printable(shown));
        std::fflush(echo_);
    }
}
