#pragma once
// The progress dialog over QProgressDialog. Once it shows, it is modal to the whole
// program: while a job lets the screen repaint, "Annuler" is the only thing the user can
// reach. A job that ends quickly never shows it.
//
// The job asks at every step, but the dialog is updated, and events let through, once per
// kIntervalleMs at most: QProgressDialog lets every event through at each new value once
// it shows, and a job of thousands of short steps would spend most of its time there.

#include "platform/Progress.h"

#include <QElapsedTimer>
#include <memory>

class QProgressDialog;
class QWidget;

class QtProgress : public Progress {
public:
    // Shows only when the job lasts longer than this.
    static constexpr int kDelaiAffichageMs = 300;
    // Often enough for a fluid bar and an "Annuler" heard at once.
    static constexpr int kIntervalleMs = 40;

    QtProgress(QWidget* parent, const QString& title, int total);
    ~QtProgress() override;
    QtProgress(const QtProgress&) = delete;
    QtProgress& operator=(const QtProgress&) = delete;

    bool advance(int done, const QString& text) override;

    QProgressDialog& dialog() { return *m_dialog; }

private:
    std::unique_ptr<QProgressDialog> m_dialog;
    QElapsedTimer m_depuisMiseAJour;
};
