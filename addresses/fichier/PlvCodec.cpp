#include "addresses/fichier/PlvCodec.h"

#include "addresses/fichier/CodageTexte.h"
#include "addresses/fichier/PlvFieldReader.h"
#include "addresses/fichier/PlvFieldWriter.h"
#include "addresses/liste/EntreesAdresses.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The sender text goes through the file with CR LF line ends, whatever the text box or
// the file it came from used.
QString withCrLf(const QString& text)
{
    if (!text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out += u"\r\n";
        } else if (c == u'\n') {
            out += u"\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

void writeFont(PlvFieldWriter& w, const BlockFont& font)
{
    w.string(font.name)
        .boolean(font.italic)
        .boolean(font.bold)
        .boolean(font.underline)
        .integer(font.colour.windowsNumber())
        .currency(font.pointSize);
    w.endRecord();
}

// Decimal with a period, an optional sign and exponent; ".5" and "5." are numbers too.
bool isNumberText(QStringView t)
{
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < t.size() && t[i] >= u'0' && t[i] <= u'9')
        ++i, ++digits;
    if (i < t.size() && t[i] == u'.') {
        ++i;
        while (i < t.size() && t[i] >= u'0' && t[i] <= u'9')
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
            ++i;
        qsizetype exponentDigits = 0;
        while (i < t.size() && t[i] >= u'0' && t[i] <= u'9')
            ++i, ++exponentDigits;
        if (exponentDigits == 0)
            return false;
    }
    return i == t.size();
}

class DocumentParser {
    // Room to encode the last addresses in place, beyond the text that remains.
    static constexpr qsizetype kMarge = 1024;

public:
    DocumentParser(QStringView text, CodageTexte::Codage codage, EntreesAdresses* compactes)
        : m_text(text), m_reader(text), m_codage(codage), m_compactes(compactes)
    {
    }

    Result<PlvDocument> parse()
    {
        PlvDocument d;
        if (m_compactes)
            m_compactes->vide();
        if (!litDocument(d))
            return Status::failure(m_error);
        // Only the strings can hold other characters than ASCII, and they are written
        // back unchanged; when what was read holds none, UTF-8 and Windows-1252 are the
        // same bytes, and the file is taken for what Windows writes.
        d.Codage = m_codage;
        const QStringView lu = m_text.first(m_reader.position());
        if (m_codage == CodageTexte::Codage::Utf8 &&
            std::none_of(lu.begin(), lu.end(), [](QChar c) { return c.unicode() >= 0x80; }))
            d.Codage = CodageTexte::Codage::Windows1252;
        return d;
    }

    // How much of the text the document was read from; the rest is ignored.
    qsizetype consumed() const { return m_reader.position(); }

private:
    using Field = PlvFieldReader::Field;

    bool litDocument(PlvDocument& d)
    {
        QList<Field> f;
        if (!record(9, QStringLiteral("réglages de l'enveloppe"), f))
            return false;
        double quantite = 0, longueur = 0, hauteur = 0;
        bool portrait = true;
        if (!boolean(f[0], d.reglages.LogoChoisi) || !single(f[1], d.reglages.MargeGaucheExp) ||
            !single(f[2], d.reglages.MargeHauteExp) || !single(f[3], d.reglages.MargeGaucheDest) ||
            !single(f[4], d.reglages.MargeBasseDest) || !number(f[5], quantite) || !number(f[6], longueur) ||
            !number(f[7], hauteur) || !boolean(f[8], portrait))
            return false;
        d.reglages.Orientation = portrait ? 0 : 1;
        d.reglages.Quantite = int(std::clamp(std::round(quantite), double(ReglagesModele::kQuantiteMin),
                                             double(ReglagesModele::kQuantiteMax)));
        d.reglages.LongueurEnv = float(
            std::clamp(longueur, double(ReglagesModele::kLongueurMin), double(ReglagesModele::kLongueurMax)));
        d.reglages.HauteurEnv = float(
            std::clamp(hauteur, double(ReglagesModele::kHauteurMin), double(ReglagesModele::kHauteurMax)));
        // A distance beyond the largest envelope cannot place a block on any envelope.
        d.reglages.MargeGaucheExp = std::clamp(d.reglages.MargeGaucheExp, 0.0f, ReglagesModele::kLongueurMax);
        d.reglages.MargeGaucheDest =
            std::clamp(d.reglages.MargeGaucheDest, 0.0f, ReglagesModele::kLongueurMax);
        d.reglages.MargeHauteExp = std::clamp(d.reglages.MargeHauteExp, 0.0f, ReglagesModele::kHauteurMax);
        d.reglages.MargeBasseDest = std::clamp(d.reglages.MargeBasseDest, 0.0f, ReglagesModele::kHauteurMax);

        if (!record(1, QStringLiteral("texte de l'expéditeur"), f) || !string(f[0], d.reglages.TexteExp))
            return false;
        d.reglages.TexteExp = withCrLf(d.reglages.TexteExp);

        if (!font(QStringLiteral("police de l'expéditeur"), d.reglages.PoliceExp) ||
            !font(QStringLiteral("police du destinataire"), d.reglages.PoliceDest))
            return false;

        if (!record(1, QStringLiteral("nombre d'adresses"), f))
            return false;
        double derniere = 0;
        if (!integer(f[0], derniere))
            return false;
        if (derniere < -1)
            return fail(QStringLiteral("le nombre d'adresses (%1) est impossible.").arg(f[0].text));

        // The count is only a promise: the addresses are read as long as the file holds
        // them, so a wrong count can neither reserve memory nor make the loop run on.
        const qint64 annoncees = qint64(std::min(derniere, 1e15)) + 1;
        d.Adresses.clear();
        if (m_compactes) {
            // What remains of the text bounds both: a record takes at least its quotes
            // and its line end, and Latin text takes about a byte a character in UTF-8.
            const qsizetype restant = m_text.size() - m_reader.position();
            m_compactes->reserve(restant + kMarge, qsizetype(std::min<qint64>(annoncees, restant / 4 + 1)));
        }
        for (qint64 lues = 0; lues < annoncees; ++lues) {
            if (m_reader.atEnd())
                return failAtEnd(
                    QStringLiteral("Le fichier s'arrête après %1 adresse(s), avant la fin de sa liste.")
                        .arg(lues));
            QList<Field> entry;
            QString adresse;
            if (!record(1, QStringLiteral("adresse %1").arg(lues + 1), entry) || !string(entry[0], adresse))
                return false;
            if (m_compactes)
                m_compactes->ajoute(adresse);
            else
                d.Adresses.append(std::move(adresse));
        }
        if (m_compactes)
            m_compactes->ajuste();
        // From here on a record that does not fit tells a count that does not match the
        // addresses: the logo name or the crop marks would have been taken for one.
        m_annoncees = annoncees;

        // Files end here when written by an older version: the logo name and the crop
        // marks keep their start-up values.
        if (m_reader.atEnd())
            return true;
        if (!record(1, QStringLiteral("nom du logo"), f) || !string(f[0], d.reglages.NomLogo))
            return false;
        if (m_reader.atEnd())
            return true;
        if (!record(1, QStringLiteral("repères de coupe"), f))
            return false;
        return boolean(f[0], d.reglages.RepereCoupe);
    }

    bool record(int count, const QString& what, QList<Field>& out)
    {
        m_what = what;
        m_start = m_reader.position();
        if (m_reader.atEnd())
            return failAtEnd(QStringLiteral("Le fichier est incomplet : la ligne « %1 » manque.").arg(what));
        Result<QList<Field>> fields = m_reader.nextRecord(count);
        if (!fields) {
            m_error = fields.error();
            return false;
        }
        out = fields.value();
        if (out.size() > count)
            return fail(QStringLiteral("%1 valeur(s) attendue(s), davantage trouvées.").arg(count));
        if (out.size() < count)
            return fail(
                QStringLiteral("%1 valeur(s) attendue(s), %2 trouvée(s).").arg(count).arg(out.size()));
        return true;
    }

    bool font(const QString& what, BlockFont& font)
    {
        QList<Field> f;
        if (!record(6, what, f))
            return false;
        double colour = 0, size = 0;
        if (!boolean(f[1], font.italic) || !boolean(f[2], font.bold) || !boolean(f[3], font.underline) ||
            !integer(f[4], colour) || !number(f[5], size))
            return false;
        // A colour is a 32-bit number, signed as Windows writes the system colours, or
        // unsigned as some other programs do.
        if (colour < double(std::numeric_limits<qint32>::min()) ||
            colour > double(std::numeric_limits<quint32>::max()))
            return fail(QStringLiteral("« %1 » n'est pas une couleur.").arg(f[4].text));
        font.name = f[0].text;
        font.colour = TextColour::fromWindowsNumber(qint64(colour));
        // Sizes are currency values (4 decimals) within what a font dialog offers.
        font.pointSize = std::clamp(std::round(size * 10000.0) / 10000.0, 1.0, 1638.0);
        return true;
    }

    bool boolean(const Field& field, bool& out)
    {
        if (!field.quoted) {
            if (field.text.compare(u"#TRUE#", Qt::CaseInsensitive) == 0) {
                out = true;
                return true;
            }
            if (field.text.compare(u"#FALSE#", Qt::CaseInsensitive) == 0) {
                out = false;
                return true;
            }
            // Windows also takes a number for a Boolean: anything but 0 is true.
            if (isNumberText(field.text)) {
                double value = 0;
                if (!number(field, value))
                    return false;
                out = value != 0;
                return true;
            }
        }
        return fail(QStringLiteral("« %1 » n'est ni #TRUE# ni #FALSE#.").arg(shown(field)));
    }

    // A string record is always quoted: an unquoted value there is another record.
    bool string(Field& field, QString& out)
    {
        if (!field.quoted)
            return fail(QStringLiteral("« %1 » n'est pas un texte entre guillemets.").arg(shown(field)));
        out = std::move(field.text);
        return true;
    }

    bool number(const Field& field, double& out)
    {
        bool ok = false;
        if (!field.quoted && isNumberText(field.text))
            out = QStringView(field.text).toDouble(&ok);
        if (!ok || !std::isfinite(out))
            return fail(QStringLiteral("« %1 » n'est pas un nombre.").arg(shown(field)));
        return true;
    }

    bool single(const Field& field, float& out)
    {
        double value = 0;
        if (!number(field, value))
            return false;
        out = float(std::clamp(value, -1e9, 1e9));
        return true;
    }

    bool integer(const Field& field, double& out)
    {
        if (!number(field, out))
            return false;
        out = std::round(out);
        return true;
    }

    static QString shown(const Field& field)
    {
        const QString text = field.text.left(40);
        return field.quoted ? QStringLiteral("\"%1\"").arg(text) : text;
    }

    bool fail(const QString& reason)
    {
        m_error = QStringLiteral("Ligne %1 (%2) : %3").arg(m_reader.lineAt(m_start)).arg(m_what, reason);
        if (m_annoncees >= 0)
            m_error +=
                QStringLiteral(
                    " Le nombre d'adresses annoncé (%1) ne correspond peut-être pas à celles du fichier.")
                    .arg(m_annoncees);
        return false;
    }

    bool failAtEnd(const QString& reason)
    {
        m_error = reason;
        return false;
    }

    QStringView m_text;
    PlvFieldReader m_reader;
    CodageTexte::Codage m_codage;
    EntreesAdresses* m_compactes;
    qint64 m_annoncees = -1; // the addresses the count announced, once they are read
    QString m_error;
    QString m_what;
    qsizetype m_start = 0;
};

} // namespace

QByteArray PlvCodec::ecrit(const PlvDocument& d)
{
    PlvFieldWriter w;
    w.boolean(d.reglages.LogoChoisi)
        .single(d.reglages.MargeGaucheExp)
        .single(d.reglages.MargeHauteExp)
        .single(d.reglages.MargeGaucheDest)
        .single(d.reglages.MargeBasseDest)
        .integer(d.reglages.Quantite)
        .single(d.reglages.LongueurEnv)
        .single(d.reglages.HauteurEnv)
        .boolean(d.reglages.Orientation == 0);
    w.endRecord();
    w.string(withCrLf(d.reglages.TexteExp));
    w.endRecord();
    writeFont(w, d.reglages.PoliceExp);
    writeFont(w, d.reglages.PoliceDest);
    w.integer(qint64(d.Adresses.size()) - 1);
    w.endRecord();
    for (const QString& adresse : d.Adresses) {
        w.string(adresse);
        w.endRecord();
    }
    w.string(d.reglages.NomLogo);
    w.endRecord();
    w.boolean(d.reglages.RepereCoupe);
    w.endRecord();
    return CodageTexte::encode(w.text(), d.Codage);
}

Result<PlvDocument> PlvCodec::lit(const QByteArray& bytes, EntreesAdresses* compactes)
{
    CodageTexte::Codage codage{};
    Result<QString> text = CodageTexte::decode(bytes, codage, CodageTexte::Codage::Windows1252);
    if (!text) { // a sentence of its own under the file's name
        QString raison = text.error();
        raison[0] = raison[0].toUpper();
        return Status::failure(raison + u'.');
    }
    DocumentParser parser(text.value(), codage, compactes);
    Result<PlvDocument> document = parser.parse();
    // What follows the crop marks is ignored, and so are its bytes when telling UTF-8
    // from Windows-1252 (one character per byte): otherwise a stray byte there would
    // turn the file's UTF-8 into other characters, and so would its next save.
    if (document && codage == CodageTexte::Codage::Windows1252 && parser.consumed() < bytes.size()) {
        Result<QString> lu =
            CodageTexte::decode(bytes.first(parser.consumed()), codage, CodageTexte::Codage::Windows1252);
        if (lu && codage == CodageTexte::Codage::Utf8)
            return DocumentParser(lu.value(), codage, compactes).parse();
    }
    return document;
}
