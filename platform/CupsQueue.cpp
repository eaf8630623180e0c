#include "platform/CupsQueue.h"

#include <cups/cups.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
// Every job of this user on the queue, the finished ones the server still keeps included.
class Jobs {
public:
    explicit Jobs(const QByteArray& queue)
        : m_count(cupsGetJobs2(CUPS_HTTP_DEFAULT, &m_jobs, queue.constData(), 1, CUPS_WHICHJOBS_ALL))
    {
    }
    ~Jobs() { cupsFreeJobs(m_count, m_jobs); }
    Jobs(const Jobs&) = delete;
    Jobs& operator=(const Jobs&) = delete;

    const cups_job_t* begin() const { return m_jobs; }
    const cups_job_t* end() const { return m_jobs + std::max(m_count, 0); }

private:
    cups_job_t* m_jobs = nullptr;
    int m_count;
};

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

void CupsQueue::watchNextJob(const QString& title)
{
    m_title = title;
    m_lastJobBefore = 0;
    for (const cups_job_t& job : Jobs(m_queue))
        m_lastJobBefore = std::max(m_lastJobBefore, job.id);
}

Status CupsQueue::watchedJobOutcome() const
{
    // Qt's handing over is the last request made on this thread: its status is the
    // server's answer to the job.
    const ipp_status_t envoi = cupsLastError();
    if (envoi >= IPP_STATUS_ERROR_BAD_REQUEST)
        return Status::failure(
            QStringLiteral("L'imprimante « %1 » a refusé l'impression (%2) : rien ne sera imprimé.")
                .arg(m_name, raisonDuRefus(envoi)));

    // The job is the first after those there before, by that name.
    const cups_job_t* travail = nullptr;
    const Jobs jobs(m_queue);
    for (const cups_job_t& job : jobs)
        if (job.id > m_lastJobBefore && (!travail || job.id < travail->id) &&
            (m_title.isEmpty() || QString::fromLocal8Bit(job.title) == m_title))
            travail = &job;
    if (travail && travail->state == IPP_JSTATE_CANCELED)
        return Status::failure(QStringLiteral("L'impression envoyée à l'imprimante « %1 » a été annulée "
                                              "par le serveur d'impression : rien ne sera imprimé.")
                                   .arg(m_name));
    if (travail && travail->state == IPP_JSTATE_ABORTED)
        return Status::failure(QStringLiteral("L'impression envoyée à l'imprimante « %1 » a échoué "
                                              "sur le serveur d'impression : rien ne sera imprimé.")
                                   .arg(m_name));
    return Status::ok();
}
