#include "platform/widgets/QtProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <algorithm>

QtProgress::QtProgress(QWidget* parent, const QString& title, int total)
    : m_dialog(std::make_unique<QProgressDialog>(parent))
{
    m_dialog->setWindowTitle(title);
    m_dialog->setCancelButtonText(QStringLiteral("Annuler"));
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setRange(0, std::max(1, total));
    m_dialog->setMinimumDuration(kDelaiAffichageMs);
    m_dialog->setValue(0);
}

QtProgress::~QtProgress() = default;

bool QtProgress::advance(int done, const QString& text)
{
    if (m_dialog->wasCanceled())
        return false;
    if (m_depuisMiseAJour.isValid() && m_depuisMiseAJour.elapsed() < kIntervalleMs)
        return true;
    m_depuisMiseAJour.start();
    m_dialog->setLabelText(text);
    // Once the dialog shows, a new value lets every event through (the dialog is modal);
    // before, it only decides whether the job lasts long enough to show it.
    const bool visible = m_dialog->isVisible();
    m_dialog->setValue(std::clamp(done, 0, m_dialog->maximum()));
    // The click on "Annuler" comes with the other events. Before the dialog shows nothing
    // blocks the other windows, so their clicks and keys wait for the end of the job.
    if (!visible)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return !m_dialog->wasCanceled();
}
