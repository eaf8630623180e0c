#pragma once
// The progress dialog over QProgressDialog. Once it shows, it is modal to the whole
// program: while a job lets the screen repaint, "Annuler" is the only thing the user can
// reach. A job that ends quickly never shows it.

#include "platform/Progress.h"

#include <memory>

class QProgressDialog;
class QWidget;

class QtProgress : public Progress {
public:
    // Shows only when the job lasts longer than this.
    static constexpr int kDelaiAffichageMs = 300;

    QtProgress(QWidget* parent, const QString& title, int total);
    ~QtProgress() override;
    QtProgress(const QtProgress&) = delete;
    QtProgress& operator=(const QtProgress&) = delete;

    bool advance(int done, const QString& text) override;

    QProgressDialog& dialog() { return *m_dialog; }

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};
