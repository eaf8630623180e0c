#include "addresses/PlvTextEncoding.h"

#include <QStringDecoder>
#include <algorithm>
#include <iterator>
#include <optional>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

// Windows-1252 as Windows reads it: Latin-1 but for 0x80-0x9F, where the five bytes it
// leaves unassigned read as the control characters of the same code. A table of our own
// rather than a converter: the file is decoded into a string of its exact size, where a
// converter reserves twice as much for every byte, and no platform can lack it.
constexpr char16_t kDe80A9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t depuisWindows1252(uchar octet)
{
    return octet >= 0x80 && octet < 0xA0 ? kDe80A9F[octet - 0x80] : char16_t(octet);
}

std::optional<char> versWindows1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    const auto trouve = std::find(std::begin(kDe80A9F), std::end(kDe80A9F), c);
    if (trouve == std::end(kDe80A9F))
        return std::nullopt;
    return char(0x80 + (trouve - std::begin(kDe80A9F)));
}

// Only a character-for-character copy is faithful: a character Windows-1252 has no byte
// for makes the whole text go another way.
std::optional<QByteArray> toWindows1252(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const std::optional<char> octet = versWindows1252(text[i].unicode());
        if (!octet)
            return std::nullopt;
        bytes[i] = *octet;
    }
    return bytes;
}

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* sortie = text.data();
    for (const char octet : bytes)
        *sortie++ = QChar(depuisWindows1252(uchar(octet)));
    return text;
}

// Valid UTF-8 or nothing. Decoded a piece at a time, each cut before a character's
// first byte, so that a Windows-1252 file is given up at its first accent rather than
// after a copy of the whole text.
std::optional<QString> fromUtf8(QByteArrayView bytes)
{
    constexpr qsizetype kMorceau = 64 * 1024;
    // Each piece is decoded as a whole: a byte-order mark opening one is a character of
    // the text like any other (the file's own mark is taken off before).
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text(decoder.requiredSpace(bytes.size()), Qt::Uninitialized);
    QChar* fin = text.data();
    for (qsizetype debut = 0; debut < bytes.size();) {
        qsizetype coupe = std::min(debut + kMorceau, bytes.size());
        // Back to the first byte of a character (three continuation bytes at most; more
        // are invalid wherever the cut falls).
        for (int recul = 0; recul < 3 && coupe < bytes.size() && coupe > debut + 1
                            && (uchar(bytes[coupe]) & 0xC0) == 0x80;
             ++recul)
            --coupe;
        fin = decoder.appendToBuffer(fin, bytes.sliced(debut, coupe - debut));
        if (decoder.hasError())
            return std::nullopt;
        debut = coupe;
    }
    text.truncate(fin - text.constData());
    return text;
}

}  // namespace

bool PlvTextEncoding::fitsWindows1252(const QString& text)
{
    return toWindows1252(text).has_value();
}

QByteArray PlvTextEncoding::encode(const QString& text, Codage codage)
{
    if (codage == Codage::Utf8)
        return text.toUtf8();
    if (codage == Codage::Windows1252) {
        if (std::optional<QByteArray> bytes = toWindows1252(text))
            return *bytes;
    }
    return kUtf8Bom + text.toUtf8();
}

Result<QString> PlvTextEncoding::decode(const QByteArray& bytes, Codage* codage)
{
    Codage lu = Codage::Windows1252;
    if (!codage)
        codage = &lu;
    *codage = Codage::Windows1252;
    if (bytes.startsWith(kUtf8Bom)) {
        *codage = Codage::Utf8Bom;
        std::optional<QString> text = fromUtf8(QByteArrayView(bytes).sliced(kUtf8Bom.size()));
        if (!text)
            return Status::failure(QStringLiteral(
                "Le fichier se dit en UTF-8 mais contient des octets qui n'en sont pas."));
        return *std::move(text);
    }
    if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) >= 0x80; })) {
        if (std::optional<QString> text = fromUtf8(bytes)) {
            *codage = Codage::Utf8;
            return *std::move(text);
        }
    }
    return fromWindows1252(bytes);
}
