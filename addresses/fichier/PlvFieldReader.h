#pragma once
// Splits the text of an address file into records and fields as Windows reads them: a
// record ends at a line end outside double quotes (CR LF, LF alone or CR alone); fields
// are separated by commas; a quoted field runs to the next double quote, commas and line
// ends included, and a doubled double quote inside it is one double quote; spaces
// around an unquoted field do not count.

#include "platform/Outcome.h"

#include <QList>
#include <QString>
#include <QStringView>

class PlvFieldReader {
public:
    struct Field {
        QString text;
        bool quoted = false;
    };

    explicit PlvFieldReader(QStringView text) : m_text(text) {}

    // Nothing but blanks and line ends is left.
    bool atEnd() const;
    // Where the next record begins, and the line, counted from 1, of such a position
    // (counting is slow: it is for messages).
    qsizetype position() const { return m_pos; }
    int lineAt(qsizetype position) const;

    // Stops collecting once the record has more than maxFields fields: a line of a
    // million commas is refused without holding a million fields.
    Result<QList<Field>> nextRecord(qsizetype maxFields);

private:
    void skipBlanks();

    QStringView m_text;
    qsizetype m_pos = 0;
};
