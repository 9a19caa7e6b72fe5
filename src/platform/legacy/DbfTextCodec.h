#pragma once
// Decodes the texts of a dBase file in the code page the file declares: the language driver byte
// of its header or the name in a .cpg file beside it, as shapelib's DBFGetCodePage reports them
// ("LDID/87", "UTF-8", "1252" ...). Files that declare none are read as Windows-1252, the code
// page dBase IV files from Windows programs were written in. Used by DbfTableReader.
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

class DbfTextCodec {
public:
    // `declared` is DBFGetCodePage's text, empty when the file declares no code page.
    explicit DbfTextCodec(const QString& declared);

    QString decode(QByteArrayView bytes);
    // The encoding used, as Qt names it ("windows-1252", "IBM850", "UTF-8").
    const QString& encoding() const { return encoding_; }
    // Set when the declared code page is unknown or cannot be decoded here: says what was used.
    const QString& warning() const { return warning_; }

    // The encoding name for a declared code page, empty when it is not known.
    static QString encodingFor(const QString& declared);

private:
    void use(const QString& encoding);

    QString encoding_;
    QString warning_;
    QStringDecoder decoder_;
};
