#pragma once
// Writes the records of an address file field by field, each type in the one form
// Windows gives it: strings between double quotes, #TRUE# and #FALSE#, numbers with a
// period whatever the locale and without a decimal part when they are whole; commas
// between fields and CR LF after each record.

#include <QString>
#include <QStringView>

class PlvFieldWriter {
public:
    // A double quote inside the text is doubled so that it reads back unchanged; text
    // without one is written exactly as Windows writes it.
    PlvFieldWriter& string(QStringView text);
    PlvFieldWriter& boolean(bool value);
    PlvFieldWriter& integer(qint64 value);
    // Single precision: at most 7 significant digits when they read back as the same
    // value, as many as it takes otherwise, so that a value saved twice is written alike.
    PlvFieldWriter& single(float value);
    // Currency: at most 4 decimals.
    PlvFieldWriter& currency(double value);
    void endRecord();

    const QString& text() const { return m_text; }

    static QString singleText(float value);
    static QString currencyText(double value);

private:
    void separate();

    QString m_text;
    bool m_recordStarted = false;
};
