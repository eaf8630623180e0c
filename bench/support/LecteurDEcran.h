#pragma once
// A screen reader for the length of one benchmark: the listening client is started, Qt's
// bridge is given the time to connect and to learn that somebody listens, and the events the
// client received are reported when it stops. Not listening when there is no bus here.
#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>

class LecteurDEcran {
public:
    LecteurDEcran()
    {
        m_client.start(QStringLiteral(ECOUTE_ATSPI), {});
        if (!m_client.waitForReadyRead(3000) || !m_client.readLine().startsWith("pr"))
            return;
        QElapsedTimer attente;
        attente.start();
        while (!QAccessible::isActive() && attente.elapsed() < 3000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        // The registry tells the bridge of the new listener asynchronously.
        while (attente.elapsed() < 500)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        m_ecoute = QAccessible::isActive();
    }
    ~LecteurDEcran() { arrete(); }
    bool ecoute() const { return m_ecoute; }
    // How many events the client received, once it is stopped.
    double arrete()
    {
        if (m_client.state() == QProcess::NotRunning)
            return m_recus;
        QApplication::processEvents();
        m_client.terminate();
        m_client.waitForFinished(10000);
        m_recus = m_client.readAll().trimmed().toDouble();
        return m_recus;
    }

private:
    QProcess m_client;
    bool m_ecoute = false;
    double m_recus = 0;
};

inline constexpr const char* kSansBus =
    "no accessibility bus: run it through bench/avec-accessibilite.sh";
