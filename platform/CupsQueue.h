#pragma once
// What Qt's print engine does not tell about a CUPS queue, asked of the CUPS server through
// libcups: whether the queue takes jobs now, and what became of the job Qt has just handed
// to it (Qt submits the job and drops the server's answer, so a refused job is otherwise
// lost without a word).

#include "platform/Outcome.h"
#include "platform/PrinterService.h"

#include <QByteArray>
#include <QString>

class CupsQueue {
public:
    // The name Qt knows the queue by, an instance ("queue/instance") included.
    explicit CupsQueue(const QString& name);

    // A queue the server does not know, or a server that does not answer, reads as ready:
    // the print engine then says what it can.
    QueueState state() const;

    // Taken just before Qt hands over a job named `title`: the jobs that were there before.
    void watchNextJob(const QString& title);
    // Once Qt has handed it over: the server's refusal of that job, or its end aborted or
    // cancelled, in French, naming the queue.
    Status watchedJobOutcome() const;

private:
    QString m_name;
    QByteArray m_queue;    // without the instance
    QByteArray m_instance; // empty: none
    QString m_title;
    int m_lastJobBefore = 0;
};
