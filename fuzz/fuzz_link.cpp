// What a linked program sends, by the first byte: 'c' link content text (ParseLinkContent and the
// data source it names), 'm' bytes from the local socket in pieces (LinkMessage). Neither
// crashes; a conninfo made from a data source is one the server library reads back; messages
// come out whole, never longer than the limit, and each one sent again comes back the same.
#include "FuzzInput.h"
#include "link/LinkContentParser.h"
#include "link/LinkMessage.h"
#include "link/LinkSource.h"

namespace {

void content(const QByteArray& input) {
    const LinkContent c = LinkContentParser::ParseLinkContent(QString::fromUtf8(input));
    (void)LinkSource::databaseOf(c);
    (void)LinkSource::targetOf(c);
}

void messages(const QByteArray& input) {
    // The first byte sets the size of the pieces the socket delivers.
    if (input.isEmpty())
        return;
    const qsizetype piece = 1 + qsizetype(uchar(input[0]) % 64);
    LinkMessage reader;
    QStringList got;
    for (qsizetype at = 1; at < input.size() && !reader.broken(); at += piece)
        got += reader.feed(input.mid(at, piece));
    for (const QString& text : got) {
        fuzz::check(quint32(text.toUtf8().size()) <= LinkMessage::maxBytes,
                    "a message longer than the limit came out");
        LinkMessage again;
        const QStringList back = again.feed(LinkMessage::encode(text));
        fuzz::check(back.size() == 1 && back.front() == text,
                    "a message sent again does not come back the same");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::Selected s = fuzz::select(data, size);
    if (s.parser == 'c')
        content(s.input);
    else if (s.parser == 'm')
        messages(s.input);
    return 0;
}
