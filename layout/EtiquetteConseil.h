#pragma once
// The discreet line under the recipient box that shows the address-form advice. It is
// hidden while the address is fine. The box it advises carries the same advice as its
// accessible description, so a screen reader reads it with the box.

#include "layout/ConseilAdresse.h"

#include <QLabel>

class EtiquetteConseil : public QLabel {
    Q_OBJECT
public:
    EtiquetteConseil(QWidget* boite, QWidget* parent);

    // Judges the box's text (lines ending CR LF or LF); touches the widgets only when the
    // advice changes, since this runs on every keystroke.
    void suit(const QString& texteAdresse);

private:
    bool tient(const QString& texte) const;

    QWidget* m_boite;
    QList<ConseilAdresse::Regle> m_regles;
};
