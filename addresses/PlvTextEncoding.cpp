#include "addresses/PlvTextEncoding.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <optional>

namespace {

constexpr char kWindows1252[] = "windows-1252";
const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

// Characters Windows-1252 cannot hold come back from the encoder as a substitute and an
// error flag; only an error-free pass is a faithful copy.
std::optional<QByteArray> toWindows1252(const QString& text)
{
    QStringEncoder encoder(kWindows1252, QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return std::nullopt;
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
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
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        QString text = decoder.decode(QByteArrayView(bytes).sliced(kUtf8Bom.size()));
        if (decoder.hasError())
            return Status::failure(QStringLiteral(
                "Le fichier se dit en UTF-8 mais contient des octets qui n'en sont pas."));
        return text;
    }
    if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) >= 0x80; })) {
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        QString text = decoder.decode(bytes);
        if (!decoder.hasError()) {
            *codage = Codage::Utf8;
            return text;
        }
    }
    QStringDecoder decoder(kWindows1252, QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return Status::failure(QStringLiteral(
            "Le codage Windows-1252 n'est pas disponible sur cet ordinateur."));
    // Every byte has a character in Windows-1252 as Windows reads it (the five unassigned
    // ones are the control characters of the same code), so nothing here can fail.
    return QString(decoder.decode(bytes));
}
