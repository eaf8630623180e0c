#pragma once
// A CUPS queue, through libcups, for what Qt's print engine does not do: whether the queue
// takes jobs now, what paper and sources it has, handing it a document with exactly the
// options the program means, and what became of that job.

#include "platform/Outcome.h"
#include "platform/PrinterService.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

class CupsQueue {
public:
    // The name Qt knows the queue by, an instance ("queue/instance") included.
    explicit CupsQueue(const QString& name);

    // A queue the server does not know, or a server that does not answer, reads as ready:
    // the print engine then says what it can.
    QueueState state() const;

    // Its paper sizes with their margins and its sources as the server knows them, and
    // what the printer itself says is loaded where (asked of an IPP printer directly: the
    // server does not follow it).
    PrinterCapabilities capabilities() const;

    // Hands the PDF over as a job named `title`, with these options (name, value) added
    // to the queue's own. The job's number, or the server's refusal in French.
    Result<int> submit(const QString& pdf, const QString& title,
                       const QList<QPair<QByteArray, QByteArray>>& options) const;
    // What the server says of one of its jobs now.
    static JobOutcome outcome(int job);

private:
    QString m_name;
    QByteArray m_queue;    // without the instance
    QByteArray m_instance; // empty: none
};
