#include "addresses/import/ImportAdresses.h"

#include "addresses/carnets/CarnetEvolution.h"
#include "addresses/carnets/CarnetThunderbird.h"
#include "addresses/codespostaux/TableCodesPostaux.h"
#include "addresses/codespostaux/VerificationAcheminement.h"
#include "addresses/import/ImportVcard.h"
#include "addresses/liste/EncodageAdresse.h"
#include "addresses/liste/ListeAdresses.h"
#include "platform/BusyPointer.h"
#include "platform/Dialogs.h"
#include "platform/LectureFichier.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>

namespace {
const QString kFin = QString::fromUtf16(kFinLigne);

// French puts 0 and 1 in the singular.
QString nombreDe(qsizetype n, const QString& singulier, const QString& pluriel)
{
    return QStringLiteral("%1 %2").arg(n).arg(n <= 1 ? singulier : pluriel);
}

QString apercuLigne(const QStringList& lignes)
{
    QString texte = lignes.join(QStringLiteral(" ; "));
    if (texte.size() > 80)
        texte = texte.left(79) + QChar(0x2026);
    return texte;
}
} // namespace

Carnets ImportAdresses::carnetsDuBureau()
{
    return CarnetThunderbird::trouve(QDir::homePath()) + CarnetsEvolution::trouve();
}

namespace {
// The town a contact is listed with in the choice of contacts.
QString villeDe(const CompositionAdresse::Contact& c)
{
    if (!c.ville.isEmpty())
        return c.ville;
    static const QRegularExpression kCodePostal(QStringLiteral("^\\s*\\d[\\d ]*\\s+"));
    return QString(c.codePostalVille).remove(kCodePostal);
}
} // namespace

int ImportAdresses::choisitEtImporte()
{
    // Each book is read once, for its count, and what the user ticks is taken from that
    // same reading.
    QList<std::optional<Result<LectureCarnet>>> lus;
    QList<QList<int>> avecAdresse; // per book, its contacts with a postal address
    int initial = -1;
    for (;;) {
        AddressBookRequest demande;
        demande.title = titre();
        demande.initial = initial;
        {
            BusyPointer sablier;
            for (qsizetype i = lus.size(); i < m_carnets.size(); ++i) {
                lus << m_carnets[i]->lit();
                QList<int> postaux;
                const QList<CompositionAdresse::Contact> contacts = lus.last()->valueOr({}).contacts;
                for (int c = 0; c < contacts.size(); ++c)
                    if (CompositionAdresse::aUneAdressePostale(contacts[c]))
                        postaux << c;
                avecAdresse << postaux;
            }
        }
        for (qsizetype i = 0; i < m_carnets.size(); ++i)
            demande.books << (*lus[i] ? QStringLiteral("%1 (%2)").arg(
                                            m_carnets[i]->nom(),
                                            nombreDe(avecAdresse[i].size(),
                                                     QStringLiteral("contact avec une adresse"),
                                                     QStringLiteral("contacts avec une adresse")))
                                      : QStringLiteral("%1 (illisible)").arg(m_carnets[i]->nom()));
        demande.contacts = [&](int i) -> Result<QList<AddressBookRequest::Contact>> {
            if (i < 0 || i >= lus.size())
                return QList<AddressBookRequest::Contact>();
            if (!*lus[i])
                return Status::failure(QStringLiteral("Le carnet « %1 » ne peut pas être lu : %2.")
                                           .arg(m_carnets[i]->nom(), lus[i]->error()));
            QList<AddressBookRequest::Contact> contacts;
            for (int c : avecAdresse[i]) {
                const CompositionAdresse::Contact& contact = lus[i]->value().contacts[c];
                contacts << AddressBookRequest::Contact{CompositionAdresse::lignes(contact).value(0),
                                                        villeDe(contact)};
            }
            return contacts;
        };
        const std::optional<AddressBookAnswer> reponse = m_dialogs.addressBookImport(demande);
        if (!reponse)
            return 0;
        switch (reponse->source) {
        case AddressBookAnswer::Source::File:
            return choisitFichier();
        case AddressBookAnswer::Source::Folder: {
            FileDialogRequest dossier;
            dossier.title = QStringLiteral("Choisir un dossier de fichiers vCard");
            dossier.folder = true;
            dossier.initialPath = QDir::homePath();
            const std::optional<QString> choix = m_dialogs.openFile(dossier);
            if (choix && !choix->isEmpty()) {
                m_carnets << std::make_shared<DossierVcard>(*choix);
                initial = int(m_carnets.size()) - 1;
            }
            continue; // back to the choice, the folder's contacts shown
        }
        case AddressBookAnswer::Source::Book:
            break;
        }
        const int i = reponse->book;
        if (i < 0 || i >= lus.size() || !*lus[i])
            return 0;
        QList<int> choisis;
        for (int t : reponse->ticked)
            if (t >= 0 && t < avecAdresse[i].size())
                choisis << avecAdresse[i][t];
        return importeContacts(*m_carnets[i], lus[i]->value(), choisis);
    }
}

int ImportAdresses::importeContacts(const CarnetAdresses& carnet, const LectureCarnet& lecture,
                                    const QList<int>& choisis)
{
    ImportCsv::Bilan bilan;
    {
        BusyPointer sablier;
        for (int c : choisis)
            bilan.ajoute(lecture.contacts[c]);
    }
    bilan.fiches = true;
    bilan.illisibles = lecture.illisibles;
    return ajoute(bilan, QStringLiteral("Carnet « %1 » lu.").arg(carnet.nom()));
}

int ImportAdresses::choisitFichier()
{
    FileDialogRequest demande;
    demande.title = titre();
    demande.filter = QStringLiteral("Fichiers CSV, texte ou vCard (*.CSV;*.TSV;*.TXT;*.VCF)|"
                                    "*.CSV *.TSV *.TXT *.VCF|"
                                    "Carnets d'adresses vCard (*.VCF)|*.VCF|"
                                    "Tous les fichiers (*.*)|*");
    demande.defaultSuffix = QStringLiteral("CSV");
    const std::optional<QString> choix = m_dialogs.openFile(demande);
    if (!choix || choix->isEmpty())
        return 0;
    return importe(*choix);
}

int ImportAdresses::importe(const QString& chemin)
{
    std::optional<Result<ImportCsv::Lecture>> lecture;
    std::optional<Result<ImportVcard::Lecture>> fiches;
    {
        BusyPointer sablier;
        LectureFichier::Lu lu = LectureFichier::lit(chemin, kTailleMax);
        if (lu.echec == LectureFichier::Echec::TropGrand) {
            refuse(
                chemin,
                QStringLiteral("il dépasse %1 Mo, bien plus qu'une liste d'adresses").arg(kTailleMax >> 20));
            return 0;
        }
        if (!lu) {
            refuse(chemin, LectureFichier::raison(lu.echec));
            return 0;
        }
        if (ImportVcard::estVcard(lu.octets))
            fiches = ImportVcard::lit(lu.octets);
        else
            lecture = ImportCsv::lit(std::move(lu.octets));
    }
    if (fiches) {
        if (!*fiches) {
            refuse(chemin, fiches->error());
            return 0;
        }
        const ImportVcard::Lecture& v = fiches->value();
        ImportCsv::Bilan bilan;
        {
            BusyPointer sablier;
            bilan = ImportVcard::adresses(v);
        }
        bilan.fiches = true;
        bilan.imbriquees = v.imbriquees;
        const QString lu = QStringLiteral("Fichier vCard lu en %1.").arg(CodageTexte::nom(v.codage));
        fiches.reset(); // the cards are no longer needed while the list takes the addresses in
        return ajoute(bilan, lu);
    }
    if (!*lecture) {
        refuse(chemin, lecture->error());
        return 0;
    }
    const ImportCsv::Lecture& l = lecture->value();

    bool enTete = l.enTete == ImportCsv::EnTete::Presente;
    if (l.enTete == ImportCsv::EnTete::Incertaine) {
        QStringList premiere;
        for (const ImportCsv::Ligne& ligne : l.lignes)
            if (!ligne.vide) {
                premiere = ligne.lignes();
                break;
            }
        const QString question =
            QStringLiteral("La première ligne du fichier donne-t-elle les titres des colonnes ?") + kFin +
            kFin + QStringLiteral("« %1 »").arg(apercuLigne(premiere)) + kFin + kFin +
            QStringLiteral("Oui : elle n'est pas importée. Non : elle est importée comme une adresse.");
        switch (m_dialogs.question(titre(), question)) {
        case Answer::Cancel:
            return 0;
        case Answer::Yes:
            enTete = true;
            break;
        case Answer::No:
            enTete = false;
            break;
        }
    }

    ImportCsv::Lecture choisie = l;
    if (enTete && l.colonnes.isEmpty() && !demandeColonnes(choisie))
        return 0;
    ImportCsv::Bilan bilan;
    {
        BusyPointer sablier;
        bilan = ImportCsv::adresses(choisie, enTete);
    }
    const QString lu = QStringLiteral("Fichier lu en %1, colonnes séparées par des %2.")
                           .arg(CodageTexte::nom(l.codage), ImportCsv::nomSeparateur(l.separateur));
    // The rows are no longer needed while the list takes the addresses in.
    choisie = {};
    lecture.reset();
    return ajoute(bilan, lu);
}

namespace {
// The mappings of the last files whose columns the user named, no more: each is read and
// written again with the whole settings file at every import.
constexpr qsizetype kCorrespondancesGardees = 32;
const QString kOrdre = QStringLiteral("Import/Ordre");

QString empreinteTitres(const QStringList& titres)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(titres.join(u'\x1F').toUtf8(), QCryptographicHash::Sha1).toHex());
}

QString cleReglage(const QStringList& titres)
{
    return QStringLiteral("Import/Colonnes/") + empreinteTitres(titres);
}

void retiens(const QStringList& titres, const QStringList& choix)
{
    QSettings reglages;
    QStringList ordre = reglages.value(kOrdre).toStringList();
    const QString empreinte = empreinteTitres(titres);
    ordre.removeAll(empreinte);
    ordre.append(empreinte);
    while (ordre.size() > kCorrespondancesGardees)
        reglages.remove(QStringLiteral("Import/Colonnes/") + ordre.takeFirst());
    reglages.setValue(kOrdre, ordre);
    reglages.setValue(cleReglage(titres), choix);
}
} // namespace

QList<int> ImportAdresses::choixInitiaux(const QStringList& titres)
{
    const QStringList garde = QSettings().value(cleReglage(titres)).toStringList();
    const auto& choix = CompositionAdresse::choix();
    QList<int> resultat;
    for (qsizetype i = 0; i < titres.size(); ++i) {
        bool nombre = false;
        const int g = garde.value(i).toInt(&nombre);
        if (garde.size() == titres.size() && nombre && g >= 0 && g < choix.size()) {
            resultat << g;
            continue;
        }
        // A title the program knows keeps its part; any other column stays a line of its own,
        // as it came in before the mapping step existed.
        const CompositionAdresse::Champ champ = CompositionAdresse::colonne(titres[i]).champ;
        const auto trouve = std::find_if(choix.cbegin(), choix.cend(), [&](const auto& c) {
            return c.champ ==
                   (champ == CompositionAdresse::Champ::Aucun ? CompositionAdresse::Champ::Libre : champ);
        });
        resultat << int(trouve - choix.cbegin());
    }
    return resultat;
}

QList<CompositionAdresse::Colonne> ImportAdresses::colonnesChoisies(const QList<int>& choix)
{
    QList<CompositionAdresse::Colonne> colonnes;
    for (int c : choix)
        colonnes << CompositionAdresse::Colonne{CompositionAdresse::choix().value(c).champ, 0};
    return colonnes;
}

bool ImportAdresses::demandeColonnes(ImportCsv::Lecture& lecture)
{
    auto premiere = std::find_if(lecture.lignes.cbegin(), lecture.lignes.cend(),
                                 [](const ImportCsv::Ligne& l) { return !l.vide; });
    if (premiere == lecture.lignes.cend() || premiere->champs().size() < 2)
        return true;
    lecture.titres = premiere->champs();
    for (QString& t : lecture.titres)
        t.replace(u'\n', u' ');

    ColumnMappingRequest demande;
    demande.title = titre();
    demande.headers = lecture.titres;
    for (const auto& c : CompositionAdresse::choix())
        demande.choices << c.nom;
    demande.initial = choixInitiaux(lecture.titres);
    const ImportCsv::Lecture& source = lecture;
    demande.preview = [&source, premiere](const QList<int>& choix) {
        constexpr int kApercus = 5;
        const QList<CompositionAdresse::Colonne> colonnes = colonnesChoisies(choix);
        QStringList apercu;
        for (auto l = premiere + 1; l != source.lignes.cend() && apercu.size() < kApercus; ++l)
            if (!l->vide)
                apercu << CompositionAdresse::lignes(CompositionAdresse::contact(colonnes, l->champs()))
                              .join(QStringLiteral(" \u23CE "));
        return apercu;
    };
    const std::optional<QList<int>> choix = m_dialogs.columnMapping(demande);
    if (!choix)
        return false;
    QStringList choisis;
    for (int c : *choix)
        choisis << QString::number(c);
    retiens(lecture.titres, choisis);
    lecture.colonnes = colonnesChoisies(*choix);
    return true;
}

int ImportAdresses::ajoute(ImportCsv::Bilan& bilan, const QString& lecture)
{
    QStringList nouvelles;
    {
        BusyPointer sablier;
        nouvelles = sansDoublons(bilan, m_liste.entrees());
    }
    if (nouvelles.size() < bilan.adresses.size()) {
        QStringList faits;
        if (bilan.doublonsListe > 0)
            faits << nombreDe(bilan.doublonsListe,
                              QStringLiteral("adresse du fichier est déjà dans la liste"),
                              QStringLiteral("adresses du fichier sont déjà dans la liste"));
        if (bilan.doublonsFichier > 0)
            faits << nombreDe(bilan.doublonsFichier, QStringLiteral("adresse y figure plusieurs fois"),
                              QStringLiteral("adresses y figurent plusieurs fois"));
        const QString question = faits.join(QStringLiteral(" et ")) + u'.' + kFin + kFin +
                                 QStringLiteral("Oui : les ajouter quand même. Non : ajouter seulement les "
                                                "autres. Annuler : ne rien importer.");
        switch (m_dialogs.question(titre(), question)) {
        case Answer::Cancel:
            return 0;
        case Answer::Yes:
            bilan.doublonsAjoutes = true;
            break;
        case Answer::No:
            bilan.adresses = nouvelles;
            break;
        }
    }
    {
        BusyPointer sablier;
        m_liste.ajouteToutes(bilan.adresses);
    }
    QString rendu = compteRendu(bilan, lecture);
    const QString aRevoir =
        resumeAReprendre(adressesAReprendre(bilan.adresses, TableCodesPostaux::officielle()), kFin);
    if (!aRevoir.isEmpty())
        rendu += kFin + kFin + aRevoir;
    m_dialogs.message(bilan.adresses.isEmpty() ? MessageIcon::Exclamation : MessageIcon::Information, titre(),
                      rendu);
    return int(bilan.adresses.size());
}

namespace {
// Two entries are the same address when only case and blanks tell them apart.
QString cleDoublon(const QString& entree)
{
    QString cle = entree.toCaseFolded();
    bool simple = true;
    for (qsizetype i = 0; i < cle.size() && simple; ++i)
        if (cle[i].isSpace() && cle[i] != kSeparateurLignes &&
            (cle[i] != u' ' || i == 0 || i + 1 == cle.size() || cle[i + 1].isSpace() ||
             cle[i - 1] == kSeparateurLignes))
            simple = false;
    if (simple)
        return cle;
    QStringList lignes = cle.split(kSeparateurLignes);
    for (QString& ligne : lignes)
        ligne = ligne.simplified();
    return lignes.join(kSeparateurLignes);
}
} // namespace

QStringList ImportAdresses::sansDoublons(ImportCsv::Bilan& bilan, const QStringList& existantes)
{
    QSet<QString> dansLaListe;
    dansLaListe.reserve(existantes.size());
    for (const QString& e : existantes)
        dansLaListe.insert(cleDoublon(e));
    QSet<QString> dansLeFichier;
    dansLeFichier.reserve(bilan.adresses.size());
    QStringList nouvelles;
    nouvelles.reserve(bilan.adresses.size());
    bilan.doublonsListe = 0;
    bilan.doublonsFichier = 0;
    for (const QString& a : bilan.adresses) {
        QString cle = cleDoublon(a);
        if (dansLaListe.contains(cle)) {
            ++bilan.doublonsListe;
        } else {
            const qsizetype avant = dansLeFichier.size();
            dansLeFichier.insert(std::move(cle));
            if (dansLeFichier.size() == avant)
                ++bilan.doublonsFichier;
            else
                nouvelles << a;
        }
    }
    return nouvelles;
}

void ImportAdresses::refuse(const QString& chemin, const QString& raison)
{
    m_dialogs.message(MessageIcon::Exclamation, titre(),
                      QStringLiteral("Le fichier « %1 » n'a pas été importé : %2.")
                              .arg(QFileInfo(chemin).fileName(), raison) +
                          kFin + QStringLiteral("Aucune adresse n'a été ajoutée."));
}

QString ImportAdresses::compteRendu(const ImportCsv::Bilan& bilan, const QString& lecture)
{
    QStringList lignes;
    const int doublons = bilan.doublonsListe + bilan.doublonsFichier;
    if (!bilan.adresses.isEmpty())
        lignes << nombreDe(bilan.adresses.size(), QStringLiteral("adresse ajoutée à la liste."),
                           QStringLiteral("adresses ajoutées à la liste."));
    else if (doublons > 0)
        lignes << QStringLiteral("Aucune adresse n'a été ajoutée.");
    else
        lignes << QStringLiteral("Aucune adresse n'a été ajoutée : le fichier n'en contient pas.");

    if (bilan.doublonsAjoutes) {
        lignes << nombreDe(doublons, QStringLiteral("adresse déjà présente ajoutée quand même."),
                           QStringLiteral("adresses déjà présentes ajoutées quand même."));
    } else {
        if (bilan.doublonsListe > 0)
            lignes << nombreDe(bilan.doublonsListe,
                               QStringLiteral("adresse déjà dans la liste n'a pas été ajoutée."),
                               QStringLiteral("adresses déjà dans la liste n'ont pas été ajoutées."));
        if (bilan.doublonsFichier > 0)
            lignes << nombreDe(bilan.doublonsFichier,
                               QStringLiteral("adresse en double dans le fichier n'a pas été ajoutée."),
                               QStringLiteral("adresses en double dans le fichier n'ont pas été ajoutées."));
    }

    if (bilan.ignorees() > 0) {
        QStringList raisons;
        if (bilan.vides > 0)
            raisons << nombreDe(bilan.vides, QStringLiteral("vide"), QStringLiteral("vides"));
        if (bilan.sansAdresse > 0)
            raisons << QStringLiteral("%1 sans adresse postale").arg(bilan.sansAdresse);
        if (bilan.tropLongues > 0)
            raisons << QStringLiteral("%1 de plus de %2 lignes d'adresse")
                           .arg(bilan.tropLongues)
                           .arg(ImportCsv::kLignesMax);
        if (bilan.imbriquees > 0)
            raisons << QStringLiteral("%1 dans une autre fiche").arg(bilan.imbriquees);
        if (bilan.illisibles > 0)
            raisons << nombreDe(bilan.illisibles, QStringLiteral("illisible"), QStringLiteral("illisibles"));
        if (bilan.horsColonnes > 0)
            raisons << QStringLiteral("%1 de plus de champs que la ligne des titres").arg(bilan.horsColonnes);
        lignes << (bilan.fiches ? nombreDe(bilan.ignorees(), QStringLiteral("fiche ignorée : "),
                                           QStringLiteral("fiches ignorées : "))
                                : nombreDe(bilan.ignorees(), QStringLiteral("ligne ignorée : "),
                                           QStringLiteral("lignes ignorées : "))) +
                      raisons.join(QStringLiteral(", ")) + u'.';
    }
    if (bilan.enTeteIgnoree)
        lignes << QStringLiteral("La ligne des titres des colonnes n'a pas été importée.");
    if (!bilan.colonnesIgnorees.isEmpty()) {
        constexpr int kColonnesCitees = 6;
        QString colonnes = bilan.colonnesIgnorees.mid(0, kColonnesCitees).join(QStringLiteral(", "));
        if (bilan.colonnesIgnorees.size() > kColonnesCitees)
            colonnes += QStringLiteral(" et %1 autres").arg(bilan.colonnesIgnorees.size() - kColonnesCitees);
        lignes
            << QStringLiteral("Colonnes laissées de côté, l'enveloppe ne les montre pas : %1.").arg(colonnes);
    }
    lignes << lecture;
    return lignes.join(kFin);
}
