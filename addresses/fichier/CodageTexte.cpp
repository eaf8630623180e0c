#include "addresses/fichier/CodageTexte.h"

#include <QStringDecoder>
#include <algorithm>
#include <iterator>
#include <optional>

namespace {

const QByteArray kBomUtf8("\xEF\xBB\xBF", 3);
const QByteArray kBomUtf16Le("\xFF\xFE", 2);
const QByteArray kBomUtf16Be("\xFE\xFF", 2);

// Windows-1252 as Windows reads it: Latin-1 but for 0x80-0x9F, where the five bytes it
// leaves unassigned read as the control characters of the same code. A table of our own
// rather than a converter: the file is decoded into a string of its exact size, where a
// converter reserves twice as much for every byte, and no platform can lack it.
constexpr char16_t kDe80A9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
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
std::optional<QByteArray> enWindows1252(QStringView texte)
{
    QByteArray octets(texte.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const std::optional<char> octet = versWindows1252(texte[i].unicode());
        if (!octet)
            return std::nullopt;
        octets[i] = *octet;
    }
    return octets;
}

QString depuisWindows1252(QByteArrayView octets)
{
    QString texte(octets.size(), Qt::Uninitialized);
    QChar* sortie = texte.data();
    for (const char octet : octets)
        *sortie++ = QChar(depuisWindows1252(uchar(octet)));
    return texte;
}

// Valid UTF-8 or nothing. Decoded a piece at a time, each cut before a character's first
// byte, so that a Windows-1252 file is given up at its first accent rather than after a
// copy of the whole text.
std::optional<QString> depuisUtf8(QByteArrayView octets)
{
    constexpr qsizetype kMorceau = 64 * 1024;
    // Each piece is decoded as a whole: a byte-order mark opening one is a character of
    // the text like any other (the text's own mark is taken off before).
    QStringDecoder decodeur(QStringConverter::Utf8,
                            QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString texte(decodeur.requiredSpace(octets.size()), Qt::Uninitialized);
    QChar* fin = texte.data();
    for (qsizetype debut = 0; debut < octets.size();) {
        qsizetype coupe = std::min(debut + kMorceau, octets.size());
        // Back to the first byte of a character (three continuation bytes at most; more
        // are invalid wherever the cut falls).
        for (int recul = 0;
             recul < 3 && coupe < octets.size() && coupe > debut + 1 && (uchar(octets[coupe]) & 0xC0) == 0x80;
             ++recul)
            --coupe;
        fin = decodeur.appendToBuffer(fin, octets.sliced(debut, coupe - debut));
        if (decodeur.hasError())
            return std::nullopt;
        debut = coupe;
    }
    texte.truncate(fin - texte.constData());
    return texte;
}

std::optional<QString> depuisUtf16(QByteArrayView octets, QStringConverter::Encoding sens)
{
    QStringDecoder decodeur(sens,
                            QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString texte = decodeur.decode(octets);
    if (decodeur.hasError())
        return std::nullopt;
    return texte;
}

// UTF-16 without its byte-order mark, as some exports write it: one byte of each pair is
// nought for the Latin letters that fill an address list, never both. Nothing when the
// bytes do not look so.
std::optional<QStringConverter::Encoding> utf16SansMarque(QByteArrayView octets)
{
    const qsizetype n = std::min<qsizetype>(octets.size(), 4096) & ~qsizetype(1);
    if (n < 4 || octets.size() % 2 != 0)
        return std::nullopt;
    qsizetype pairs = 0, impairs = 0;
    for (qsizetype i = 0; i < n; i += 2) {
        pairs += octets[i] == 0;
        impairs += octets[i + 1] == 0;
    }
    const qsizetype moitie = n / 2;
    if (impairs * 10 >= moitie * 9 && pairs * 10 < moitie)
        return QStringConverter::Utf16LE;
    if (pairs * 10 >= moitie * 9 && impairs * 10 < moitie)
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

Status seDitEn(const QString& nom)
{
    return Status::failure(
        QStringLiteral("le fichier se dit en %1 mais contient des octets qui n'en sont pas").arg(nom));
}

} // namespace

namespace CodageTexte {

QString nom(Codage codage)
{
    switch (codage) {
    case Codage::Utf8:
        return QStringLiteral("UTF-8");
    case Codage::Utf8Bom:
        return QStringLiteral("UTF-8 avec BOM");
    case Codage::Utf16:
        return QStringLiteral("UTF-16");
    case Codage::Windows1252:
        return QStringLiteral("Windows-1252");
    }
    return {};
}

Result<QString> decode(QByteArrayView octets, Codage& codage, Codage siAscii)
{
    if (octets.startsWith(kBomUtf8)) {
        codage = Codage::Utf8Bom;
        std::optional<QString> texte = depuisUtf8(octets.sliced(kBomUtf8.size()));
        if (!texte)
            return seDitEn(QStringLiteral("UTF-8"));
        return *std::move(texte);
    }
    if (octets.startsWith(kBomUtf16Le) || octets.startsWith(kBomUtf16Be)) {
        codage = Codage::Utf16;
        const auto sens =
            octets.startsWith(kBomUtf16Le) ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
        std::optional<QString> texte = depuisUtf16(octets.sliced(2), sens);
        if (!texte)
            return seDitEn(QStringLiteral("UTF-16"));
        return *std::move(texte);
    }
    if (const auto sens = utf16SansMarque(octets)) {
        if (std::optional<QString> texte = depuisUtf16(octets, *sens)) {
            codage = Codage::Utf16;
            return *std::move(texte);
        }
    }
    if (std::none_of(octets.begin(), octets.end(), [](char c) { return uchar(c) >= 0x80; })) {
        codage = siAscii;
        return QString::fromLatin1(octets);
    }
    if (std::optional<QString> texte = depuisUtf8(octets)) {
        codage = Codage::Utf8;
        return *std::move(texte);
    }
    codage = Codage::Windows1252;
    return depuisWindows1252(octets);
}

Result<QString> decode(QByteArrayView octets)
{
    Codage codage{};
    return decode(octets, codage);
}

QString decodeJeu(QByteArrayView octets, QStringView jeu)
{
    const QString nomJeu = jeu.trimmed().toString();
    // Windows-1252 through our own table, which Qt's ICU-less builds lack.
    if (nomJeu.compare(u"windows-1252", Qt::CaseInsensitive) == 0 ||
        nomJeu.compare(u"cp1252", Qt::CaseInsensitive) == 0)
        return depuisWindows1252(octets);
    if (!nomJeu.isEmpty() && nomJeu.compare(u"utf-8", Qt::CaseInsensitive) != 0) {
        QStringDecoder decodeur(nomJeu.toLatin1().constData(), QStringConverter::Flag::Stateless);
        if (decodeur.isValid())
            return decodeur.decode(octets);
    }
    // No name, UTF-8, or a name nobody knows: phones write UTF-8, and an old program's
    // accents that are not valid UTF-8 are Windows-1252.
    if (std::optional<QString> texte = depuisUtf8(octets))
        return *std::move(texte);
    return depuisWindows1252(octets);
}

bool tientEnWindows1252(QStringView texte)
{
    return enWindows1252(texte).has_value();
}

QByteArray encode(QStringView texte, Codage codage)
{
    if (codage == Codage::Utf8)
        return texte.toUtf8();
    if (codage == Codage::Windows1252) {
        if (std::optional<QByteArray> octets = enWindows1252(texte))
            return *octets;
    }
    return kBomUtf8 + texte.toUtf8();
}

} // namespace CodageTexte
