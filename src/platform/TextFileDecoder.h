#pragma once
// The text of a file from outside whose encoding nobody declared: UTF-8 when its bytes are
// valid UTF-8 (a byte order mark is dropped), else Windows-1252, the code page Western European
// Windows programs write (a superset of Latin-1 but for its C1 controls). A Latin-1 file is
// never valid UTF-8 once it holds an accented letter, so the guess is safe that way round.
// Anyone may use it.
#include <QByteArrayView>
#include <QString>

class TextFileDecoder {
public:
    struct Decoded {
        QString text;
        bool windows1252 = false; // the bytes were no UTF-8
    };
    static Decoded decode(QByteArrayView bytes);
    static QString fromWindows1252(QByteArrayView bytes);
};
