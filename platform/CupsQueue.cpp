#include "platform/CupsQueue.h"

#include <QTemporaryFile>
#include <cups/cups.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>

namespace {
// The server's own texts are in English: the user reads ours.
QString raisonDuRefus(ipp_status_t statut)
{
    switch (statut) {
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return QStringLiteral("elle n'accepte plus de travaux d'impression");
    case IPP_STATUS_ERROR_NOT_FOUND:
        return QStringLiteral("le serveur d'impression ne la connaît pas");
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED:
        return QStringLiteral("le serveur d'impression ne vous y autorise pas");
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
    case IPP_STATUS_ERROR_TEMPORARY:
        return QStringLiteral("le serveur d'impression est indisponible pour le moment");
    case IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED:
    case IPP_STATUS_ERROR_DOCUMENT_UNPRINTABLE:
        return QStringLiteral("elle ne sait pas imprimer ce document");
    case IPP_STATUS_ERROR_INTERNAL:
        return QStringLiteral("le serveur d'impression ne répond pas");
    default:
        return QStringLiteral("code IPP 0x%1").arg(int(statut), 4, 16, QLatin1Char('0'));
    }
}
} // namespace

CupsQueue::CupsQueue(const QString& name)
    : m_name(name), m_queue(name.section(u'/', 0, 0).toLocal8Bit()),
      m_instance(name.section(u'/', 1).toLocal8Bit())
{
}

QueueState CupsQueue::state() const
{
    QueueState etat;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, m_queue.constData(),
                                         m_instance.isEmpty() ? nullptr : m_instance.constData());
    if (!dest)
        return etat;
    const char* accepte = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const char* marche = cupsGetOption("printer-state", dest->num_options, dest->options);
    etat.acceptingJobs = !accepte || std::strcmp(accepte, "false") != 0;
    etat.stopped = marche && std::atoi(marche) == IPP_PSTATE_STOPPED;
    cupsFreeDests(1, dest);
    return etat;
}

namespace {
// libcups measures paper in hundredths of a millimetre.
Mm centiemes(int valeur)
{
    return Mm(valeur / 100.0);
}

QStringList valeurs(ipp_attribute_t* attribut)
{
    QStringList liste;
    for (int i = 0; attribut && i < ippGetCount(attribut); ++i)
        liste.append(QString::fromUtf8(ippGetString(attribut, i, nullptr)));
    return liste;
}

// A driver's input slots and media types, from its PPD as the server hands it out:
// "*InputSlot Name/Label: ...", "*MediaType Name/Label: ...".
void choixDuPilote(const QByteArray& file, PrinterCapabilities& capacites)
{
    QTemporaryFile ppd;
    if (!ppd.open())
        return;
    const QByteArray ressource = "/printers/" + file + ".ppd";
    if (cupsGetFd(CUPS_HTTP_DEFAULT, ressource.constData(), ppd.handle()) != HTTP_STATUS_OK)
        return;
    ppd.seek(0);
    while (!ppd.atEnd()) {
        const QByteArray ligne = ppd.readLine();
        QStringList* liste = ligne.startsWith("*InputSlot ")   ? &capacites.inputSlots
                             : ligne.startsWith("*MediaType ") ? &capacites.driverTypes
                                                               : nullptr;
        if (!liste)
            continue;
        const QByteArray nom =
            ligne.mid(ligne.indexOf(' ') + 1).split(':').first().split('/').first().trimmed();
        if (!nom.isEmpty())
            liste->append(QString::fromUtf8(nom));
    }
}

// A request to the IPP printer itself, behind a queue whose device is `uriImprimante`
// (ipp or ipps): the operation, its printer-uri first as IPP wants it, then what
// `complete` adds; nothing when the device is no IPP printer or does not answer within a
// few seconds.
ipp_t* demandeALImprimante(const char* uriAppareil, ipp_op_t operation,
                           const std::function<void(ipp_t*)>& complete)
{
    // What follows "?" is the IPP backend's options ("waitjob=false"), not the printer's.
    const QByteArray uri = QByteArray(uriAppareil).split('?').constFirst();
    const char* uriImprimante = uriAppareil ? uri.constData() : nullptr;
    char schema[32], utilisateur[256], hote[256], ressource[1024];
    int port = 0;
    const bool separee =
        uriImprimante && httpSeparateURI(HTTP_URI_CODING_ALL, uriImprimante, schema, sizeof schema,
                                         utilisateur, sizeof utilisateur, hote, sizeof hote, &port, ressource,
                                         sizeof ressource) >= HTTP_URI_STATUS_OK;
    const bool ipps = separee && std::strcmp(schema, "ipps") == 0;
    http_t* http =
        separee && (ipps || std::strcmp(schema, "ipp") == 0)
            ? httpConnect2(hote, port, nullptr, AF_UNSPEC,
                           ipps ? HTTP_ENCRYPTION_ALWAYS : HTTP_ENCRYPTION_IF_REQUESTED, 1, 3000, nullptr)
            : nullptr;
    if (!http)
        return nullptr;
    ipp_t* demande = ippNewRequest(operation);
    ippAddString(demande, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uriImprimante);
    complete(demande);
    ipp_t* reponse = cupsDoRequest(http, demande, ressource);
    httpClose(http);
    return reponse;
}

// What an IPP printer says is loaded where. The server's own media-ready is what it was
// told when the queue was made, not what the printer holds now.
QList<LoadedMedium> papierCharge(const char* uriImprimante)
{
    ipp_t* reponse = demandeALImprimante(uriImprimante, IPP_OP_GET_PRINTER_ATTRIBUTES, [](ipp_t* demande) {
        ippAddString(demande, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                     "media-col-ready");
    });
    QList<LoadedMedium> charge;
    ipp_attribute_t* pret =
        reponse ? ippFindAttribute(reponse, "media-col-ready", IPP_TAG_BEGIN_COLLECTION) : nullptr;
    for (int i = 0; pret && i < ippGetCount(pret); ++i) {
        ipp_t* media = ippGetCollection(pret, i);
        ipp_attribute_t* taille = ippFindAttribute(media, "media-size", IPP_TAG_BEGIN_COLLECTION);
        ipp_attribute_t* source = ippFindAttribute(media, "media-source", IPP_TAG_ZERO);
        if (!taille)
            continue;
        ipp_t* dimensions = ippGetCollection(taille, 0);
        const int x = ippGetInteger(ippFindAttribute(dimensions, "x-dimension", IPP_TAG_INTEGER), 0);
        const int y = ippGetInteger(ippFindAttribute(dimensions, "y-dimension", IPP_TAG_INTEGER), 0);
        charge.append({centiemes(x), centiemes(y),
                       source ? QString::fromUtf8(ippGetString(source, 0, nullptr)) : QString()});
    }
    ippDelete(reponse);
    return charge;
}
} // namespace

PrinterCapabilities CupsQueue::capabilities() const
{
    PrinterCapabilities capacites;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, m_queue.constData(),
                                         m_instance.isEmpty() ? nullptr : m_instance.constData());
    if (!dest)
        return capacites;
    cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
    if (info) {
        capacites.known = true;
        const int nombre = cupsGetDestMediaCount(CUPS_HTTP_DEFAULT, dest, info, CUPS_MEDIA_FLAGS_DEFAULT);
        for (int i = 0; i < nombre; ++i) {
            cups_size_t taille;
            if (!cupsGetDestMediaByIndex(CUPS_HTTP_DEFAULT, dest, info, i, CUPS_MEDIA_FLAGS_DEFAULT, &taille))
                continue;
            capacites.media.append({QString::fromUtf8(taille.media), centiemes(taille.width),
                                    centiemes(taille.length), centiemes(taille.top), centiemes(taille.bottom),
                                    centiemes(taille.left), centiemes(taille.right)});
        }
        for (const QString& media : valeurs(cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, "media")))
            capacites.customSizes = capacites.customSizes || media.startsWith(u"custom_min_");
        capacites.sources = valeurs(cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, "media-source"));
        capacites.types = valeurs(cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, "media-type"));
        cupsFreeDestInfo(info);
    }
    choixDuPilote(m_queue, capacites);
    capacites.loaded = papierCharge(cupsGetOption("device-uri", dest->num_options, dest->options));
    cupsFreeDests(1, dest);
    return capacites;
}

Result<int> CupsQueue::submit(const QString& pdf, const QString& title,
                              const QList<QPair<QByteArray, QByteArray>>& options) const
{
    int nombre = 0;
    cups_option_t* liste = nullptr;
    // An instance's own defaults come first; the job's options override them.
    if (!m_instance.isEmpty()) {
        if (cups_dest_t* dest =
                cupsGetNamedDest(CUPS_HTTP_DEFAULT, m_queue.constData(), m_instance.constData())) {
            for (int i = 0; i < dest->num_options; ++i)
                nombre = cupsAddOption(dest->options[i].name, dest->options[i].value, nombre, &liste);
            cupsFreeDests(1, dest);
        }
    }
    for (const auto& [nom, valeur] : options)
        nombre = cupsAddOption(nom.constData(), valeur.constData(), nombre, &liste);
    const int travail =
        cupsPrintFile2(CUPS_HTTP_DEFAULT, m_queue.constData(), QFile::encodeName(pdf).constData(),
                       title.toUtf8().constData(), nombre, liste);
    cupsFreeOptions(nombre, liste);
    if (travail <= 0)
        return Status::failure(
            QStringLiteral("L'imprimante « %1 » a refusé l'impression (%2) : rien ne sera imprimé.")
                .arg(m_name, raisonDuRefus(cupsLastError())));
    return travail;
}

namespace {
// Why a job ended without being printed, from what the server says of it.
QString raisonDeLaFin(ipp_attribute_t* raisons, ipp_attribute_t* message)
{
    static const QList<QPair<const char*, const char*>> kRaisons = {
        {"job-canceled-by-user", "annulée par un utilisateur"},
        {"job-canceled-by-operator", "annulée par l'administrateur de l'imprimante"},
        {"job-canceled-at-device", "annulée sur l'imprimante"},
        {"aborted-by-system", "arrêtée par le serveur d'impression"},
        {"document-format-error", "l'imprimante n'a pas su lire le document"},
        {"document-unprintable-error", "l'imprimante n'a pas su lire le document"},
        {"unsupported-document-format", "l'imprimante n'a pas su lire le document"},
        {"unsupported-attributes-or-values", "l'imprimante n'a pas le papier ou le bac demandé"},
        {"printer-stopped", "l'imprimante s'est arrêtée"},
    };
    QStringList dites;
    for (const QString& raison : valeurs(raisons))
        for (const auto& [mot, texte] : kRaisons)
            if (raison == QLatin1String(mot) && !dites.contains(QString::fromUtf8(texte)))
                dites.append(QString::fromUtf8(texte));
    const QString detail =
        message ? QString::fromUtf8(ippGetString(message, 0, nullptr)).trimmed() : QString();
    if (!detail.isEmpty())
        dites.append(QStringLiteral("message du serveur : « %1 »").arg(detail));
    return dites.join(QStringLiteral(" ; "));
}

// How the printer itself ended a job CUPS's IPP backend handed it as `nom`: the backend
// can find the printer's job over before it sees the printer cancel it, and then reports
// it completed; a queue told not to wait for its jobs ("waitjob=false") reports them
// completed once sent. Pending while the printer still works on it. Only a printer that
// keeps its jobs' history can tell; nothing otherwise.
std::optional<JobOutcome> issueChezLImprimante(const char* file, const QByteArray& nom)
{
    char uriFile[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uriFile, sizeof uriFile, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", file);
    ipp_t* demande = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(demande, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uriFile);
    ippAddString(demande, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "device-uri");
    ipp_t* reponse = cupsDoRequest(CUPS_HTTP_DEFAULT, demande, "/");
    const QByteArray appareil(ippGetString(ippFindAttribute(reponse, "device-uri", IPP_TAG_URI), 0, nullptr));
    ippDelete(reponse);
    reponse = demandeALImprimante(
        appareil.isEmpty() ? nullptr : appareil.constData(), IPP_OP_GET_JOBS, [](ipp_t* jobs) {
            static const char* const kAttributs[] = {"job-id", "job-name", "job-state", "job-state-reasons",
                                                     "job-state-message"};
            ippAddString(jobs, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "all");
            ippAddStrings(jobs, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 5, nullptr,
                          kAttributs);
        });
    // The printer's latest job of that name is the one CUPS handed over last. A printer
    // lists each job's attributes in its own order, jobs apart.
    struct Travail {
        int id = 0, etat = 0;
        QByteArray nom;
        ipp_attribute_t *raisons = nullptr, *message = nullptr;
    };
    std::optional<Travail> dernier;
    Travail lu;
    auto termine = [&] {
        if (lu.id > 0 && lu.nom == nom && (!dernier || lu.id > dernier->id))
            dernier = lu;
        lu = {};
    };
    for (ipp_attribute_t* a = ippFirstAttribute(reponse); a; a = ippNextAttribute(reponse)) {
        const char* n = ippGetName(a);
        if (!n || ippGetGroupTag(a) != IPP_TAG_JOB) {
            termine();
            continue;
        }
        if (!std::strcmp(n, "job-id"))
            lu.id = ippGetInteger(a, 0);
        else if (!std::strcmp(n, "job-name"))
            lu.nom = ippGetString(a, 0, nullptr);
        else if (!std::strcmp(n, "job-state"))
            lu.etat = ippGetInteger(a, 0);
        else if (!std::strcmp(n, "job-state-reasons"))
            lu.raisons = a;
        else if (!std::strcmp(n, "job-state-message"))
            lu.message = a;
    }
    termine();
    std::optional<JobOutcome> issue;
    if (dernier) {
        issue = JobOutcome{};
        if (dernier->etat == IPP_JSTATE_CANCELED || dernier->etat == IPP_JSTATE_ABORTED) {
            issue->state = JobOutcome::State::Canceled;
            issue->reason = raisonDeLaFin(dernier->raisons, dernier->message);
        } else {
            issue->state = dernier->etat == IPP_JSTATE_COMPLETED ? JobOutcome::State::Completed
                                                                 : JobOutcome::State::Pending;
        }
    }
    ippDelete(reponse);
    return issue;
}
} // namespace

JobOutcome CupsQueue::outcome(int job)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/jobs/%d", job);
    ipp_t* demande = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(demande, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(demande, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    static const char* const kAttributs[] = {"job-state", "job-state-reasons", "job-printer-state-message",
                                             "job-name", "job-printer-uri"};
    ippAddStrings(demande, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 5, nullptr,
                  kAttributs);
    ipp_t* reponse = cupsDoRequest(CUPS_HTTP_DEFAULT, demande, "/");
    JobOutcome issue;
    if (!reponse || cupsLastError() >= IPP_STATUS_ERROR_BAD_REQUEST) {
        // A job the server no longer knows was purged from its history once done.
        if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND)
            issue.state = JobOutcome::State::Completed;
        ippDelete(reponse);
        return issue;
    }
    const int etat = ippGetInteger(ippFindAttribute(reponse, "job-state", IPP_TAG_ENUM), 0);
    if (etat == IPP_JSTATE_COMPLETED)
        issue.state = JobOutcome::State::Completed;
    else if (etat == IPP_JSTATE_CANCELED)
        issue.state = JobOutcome::State::Canceled;
    else if (etat == IPP_JSTATE_ABORTED)
        issue.state = JobOutcome::State::Aborted;
    if (issue.state == JobOutcome::State::Canceled || issue.state == JobOutcome::State::Aborted)
        issue.reason = raisonDeLaFin(ippFindAttribute(reponse, "job-state-reasons", IPP_TAG_KEYWORD),
                                     ippFindAttribute(reponse, "job-printer-state-message", IPP_TAG_TEXT));
    if (issue.state == JobOutcome::State::Completed) {
        const char* nom = ippGetString(ippFindAttribute(reponse, "job-name", IPP_TAG_ZERO), 0, nullptr);
        const char* uriFile =
            ippGetString(ippFindAttribute(reponse, "job-printer-uri", IPP_TAG_URI), 0, nullptr);
        const char* file = uriFile ? std::strrchr(uriFile, '/') : nullptr;
        if (nom && file)
            if (const std::optional<JobOutcome> chezElle = issueChezLImprimante(file + 1, nom))
                issue = *chezElle;
    }
    ippDelete(reponse);
    return issue;
}
