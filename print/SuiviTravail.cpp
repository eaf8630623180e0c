#include "print/SuiviTravail.h"

#include "platform/Dialogs.h"
#include "print/TestsImprimante.h"

namespace SuiviTravail {

bool termine(const JobOutcome& issue)
{
    return issue.state != JobOutcome::State::Pending;
}

QString message(const QString& imprimante, const JobOutcome& issue)
{
    if (issue.state != JobOutcome::State::Canceled && issue.state != JobOutcome::State::Aborted)
        return {};
    const QString fin = issue.state == JobOutcome::State::Canceled ? QStringLiteral("a été annulée")
                                                                   : QStringLiteral("a échoué");
    const QString raison = issue.reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(issue.reason);
    return QStringLiteral("L'impression envoyée à l'imprimante « %1 » %2%3 : ses enveloppes ne sont pas "
                          "imprimées.")
        .arg(imprimante, fin, raison);
}

JobOutcome attendsFin(PrinterService& imprimante, const PrintJob& travail, const std::function<void()>& pause)
{
    for (;;) {
        const JobOutcome issue = imprimante.jobOutcome(travail);
        if (termine(issue))
            return issue;
        pause();
    }
}

} // namespace SuiviTravail

SuiviTravaux::SuiviTravaux(PrinterService& imprimante, Dialogs& dialogues, QObject* parent)
    : QObject(parent), m_imprimante(imprimante), m_dialogues(dialogues)
{
    m_minuterie.setInterval(kIntervalleMs);
    connect(&m_minuterie, &QTimer::timeout, this, &SuiviTravaux::interroge);
}

void SuiviTravaux::suit(const PrintJob& travail)
{
    m_travaux.append(travail);
    m_minuterie.start();
}

void SuiviTravaux::interroge()
{
    // The list is taken first: a message box's event loop may bring the timer back here.
    QStringList messages;
    for (qsizetype i = 0; i < m_travaux.size();) {
        const JobOutcome issue = m_imprimante.jobOutcome(m_travaux[i]);
        if (!SuiviTravail::termine(issue)) {
            ++i;
            continue;
        }
        if (const QString texte = SuiviTravail::message(m_travaux[i].queue, issue); !texte.isEmpty())
            messages.append(texte);
        m_travaux.removeAt(i);
    }
    if (m_travaux.isEmpty())
        m_minuterie.stop();
    for (const QString& texte : messages)
        m_dialogues.message(MessageIcon::Exclamation, kTitreControleImpression, texte);
}
