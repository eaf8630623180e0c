#pragma once
// A screen reader for the length of one benchmark: the listening client is started, Qt's
// bridge is given the time to connect and to learn that somebody listens, and the events the
// client received are reported when it stops. Not listening when there is no bus here.
#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <benchmark/benchmark.h>

class LecteurDEcran {
public:
    // Listens only when `demande`; a benchmark that asked and cannot be heard here is
    // skipped. The events received become its counter "evenements_atspi".
    LecteurDEcran(benchmark::State& state, bool demande) : m_state(state)
    {
        if (!demande)
            return;
        m_client.start(QStringLiteral(ECOUTE_ATSPI), {});
        if (m_client.waitForReadyRead(3000) && m_client.readLine().startsWith("pr")) {
            QElapsedTimer attente;
            attente.start();
            while (!QAccessible::isActive() && attente.elapsed() < 3000)
                QApplication::processEvents(QEventLoop::AllEvents, 50);
            // The registry tells the bridge of the new listener asynchronously.
            while (attente.elapsed() < 500)
                QApplication::processEvents(QEventLoop::AllEvents, 50);
            m_ecoute = QAccessible::isActive();
        }
        if (!m_ecoute)
            state.SkipWithError("no accessibility bus: run it through bench/avec-accessibilite.sh");
        m_manque = !m_ecoute;
    }
    ~LecteurDEcran()
    {
        if (m_client.state() == QProcess::NotRunning)
            return;
        QApplication::processEvents();
        m_client.terminate();
        m_client.waitForFinished(10000);
        if (m_ecoute)
            m_state.counters["evenements_atspi"] = m_client.readAll().trimmed().toDouble();
    }
    bool ecoute() const { return m_ecoute; }
    // Asked for and not there: the benchmark is already skipped.
    bool manque() const { return m_manque; }

private:
    benchmark::State& m_state;
    QProcess m_client;
    bool m_ecoute = false;
    bool m_manque = false;
};
