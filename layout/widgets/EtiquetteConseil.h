#pragma once
// The discreet line under the recipient box that says why the recipient block is red,
// and shows the address-form advice and the check of the routing line against France's
// postcodes. It is hidden while the address is
// fine. The box it advises carries the same advice as its accessible description, so a
// screen reader reads it with the box. When the check has a line to propose, the label
// offers it as a link.

#include "addresses/codespostaux/VerificationAcheminement.h"
#include "layout/ConseilAdresse.h"

#include <QLabel>

class EtiquetteConseil : public QLabel {
    Q_OBJECT
public:
    EtiquetteConseil(QWidget* boite, QWidget* parent);

    // Judges the box's text (lines ending CR LF or LF); touches the widgets only when the
    // advice changes, since this runs on every keystroke. The list of postcodes is read
    // the first time, once the window has painted: until then only the form is judged.
    void suit(const QString& texteAdresse);

    // What the postal norm's red rectangle means: the rules the block breaks, with their
    // amounts ("marge droite : 12 mm au lieu de 20"); empty while the block keeps the norm.
    void suitNorme(const QStringList& ecarts);

    const VerdictAcheminement& verdict() const { return m_verdict; }
    static QString raccourciCorrection() { return QStringLiteral("Ctrl+L"); }

signals:
    // The user asked for the proposed routing line, by the link or the shortcut.
    void correctionDemandee();

private:
    bool tient(const QString& texte) const;
    void montre();

    QWidget* m_boite;
    QString m_texte;
    bool m_lectureDemandee = false;
    QList<ConseilAdresse::Regle> m_regles;
    VerdictAcheminement m_verdict;
    QStringList m_ecarts;
};
