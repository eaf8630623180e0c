#pragma once
// A job is not printed when the print server has it: the printer may still cancel it
// (a paper or tray it has not, a document it cannot read) or the server abort it. After a
// run, the job is followed until the server says it is completed, cancelled or aborted,
// and an end without printing is reported once, in French, with the server's reason.
//
// The window follows without waiting: the server is asked again at a steady pace while
// the user goes on working. The batch waits for the end.

#include "platform/PrinterService.h"

#include <QObject>
#include <QTimer>
#include <functional>

class Dialogs;

namespace SuiviTravail {
// Pending while the job is still to print; the message for a job that ended unprinted.
QString message(const QString& imprimante, const JobOutcome& issue);
bool termine(const JobOutcome& issue);
// Asks the server until the job has ended, pausing between asks.
JobOutcome attendsFin(PrinterService& imprimante, const PrintJob& travail,
                      const std::function<void()>& pause);
} // namespace SuiviTravail

// Follows the jobs the window's runs hand over, each until it ends.
class SuiviTravaux : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalleMs = 1000;

    SuiviTravaux(PrinterService& imprimante, Dialogs& dialogues, QObject* parent = nullptr);
    void suit(const PrintJob& travail);
    int enCours() const { return int(m_travaux.size()); }
    // Asks the server about every job now; the timer calls it.
    void interroge();

private:
    PrinterService& m_imprimante;
    Dialogs& m_dialogues;
    QList<PrintJob> m_travaux;
    QTimer m_minuterie;
};
