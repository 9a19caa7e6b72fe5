#pragma once
// Splits tab-separated text (UTF-8 bytes) into records of fields, the way spreadsheets write
// it: TAB between fields, LF or CR LF between records, and a field that begins with '"' is
// quoted, with '""' for a quote inside and TABs and line breaks kept; a '"' inside an unquoted
// field is a character. Used by Sheet (pasted text, lenient), ClipData (text files) and
// Workbook (its files, strict). The data must outlive the reader: the
// fields of unquoted text point into it.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

class TsvReader {
public:
    // Strict: a broken quote or a lone CR is an error (files the program wrote). File: a
    // broken quote is an error and a lone CR ends a line (text files from other programs).
    // Lenient: a broken quote is taken as literal text and a lone CR ends a line (text pasted
    // from anywhere). An error names the line where the broken field begins.
    enum class Mode { Strict, File, Lenient };

    TsvReader(QByteArrayView data, Mode mode)
        : data_(data)
        , mode_(mode) {}

    bool atEnd() const { return pos_ >= data_.size(); }
    // The first byte of the next record; 0 at the end.
    char peek() const { return atEnd() ? '\0' : data_[pos_]; }
    // The 1-based line on which the next record begins.
    int line() const { return line_; }

    // Reads the next record: its fields, quotes removed. An empty line is one empty field; the
    // line break after the last record makes no further record. False at the end or on an
    // error.
    bool readRecord(std::vector<QByteArray>& fields);

    bool failed() const { return !error_.isEmpty(); }
    const QString& error() const { return error_; }
    int errorLine() const { return errorLine_; }

private:
    bool fail(int line, const QString& text);
    // Reads one field from pos_; leaves pos_ on its delimiter (or the end).
    bool readQuoted(QByteArray& field);
    void readBare(QByteArray& field);
    bool strictQuotes() const { return mode_ != Mode::Lenient; }
    bool strictBreaks() const { return mode_ == Mode::Strict; }

    QByteArrayView data_;
    Mode mode_;
    qsizetype pos_ = 0;
    int line_ = 1;
    QString error_;
    int errorLine_ = 0;
};
