#include "layout/widgets/ChoixFormat.h"

#include "layout/FormatsEnveloppe.h"

#include <QComboBox>
#include <QScrollBar>
#include <QSignalBlocker>

ChoixFormat::ChoixFormat(QComboBox& liste, QScrollBar& longueur, QScrollBar& hauteur, QObject* parent)
    : QObject(parent), m_liste(liste), m_longueur(longueur), m_hauteur(hauteur)
{
    {
        const QSignalBlocker bloque(&m_liste);
        m_liste.clear();
        const qsizetype n = FormatsEnveloppe::tous().size();
        for (qsizetype i = 0; i <= n; ++i)
            m_liste.addItem(texteEntree(int(i)));
    }
    suitLesBarres();
    // Only a choice of the user's moves the bars; the drop-down showing what the bars
    // already say must not move them back.
    connect(&m_liste, &QComboBox::activated, this, &ChoixFormat::choisit);
    connect(&m_longueur, &QScrollBar::valueChanged, this, &ChoixFormat::suitLesBarres);
    connect(&m_hauteur, &QScrollBar::valueChanged, this, &ChoixFormat::suitLesBarres);
}

QString ChoixFormat::texteEntree(int index)
{
    const QList<FormatEnveloppe>& formats = FormatsEnveloppe::tous();
    if (index < 0 || index >= formats.size())
        return FormatsEnveloppe::personnalise();
    const FormatEnveloppe& f = formats[index];
    return QStringLiteral("%1 (%2 x %3)").arg(f.nom).arg(f.longueur).arg(f.hauteur);
}

void ChoixFormat::choisit(int index)
{
    const QList<FormatEnveloppe>& formats = FormatsEnveloppe::tous();
    if (index >= 0 && index < formats.size()) {
        m_longueur.setValue(formats[index].longueur);
        m_hauteur.setValue(formats[index].hauteur);
    }
    // "Personnalisé" moves nothing; the drop-down goes back to what the bars say, so it
    // never names a format the envelope does not have.
    suitLesBarres();
}

void ChoixFormat::suitLesBarres()
{
    int index = FormatsEnveloppe::indexPour(m_longueur.value(), m_hauteur.value());
    if (index < 0)
        index = int(FormatsEnveloppe::tous().size());
    const QSignalBlocker bloque(&m_liste);
    m_liste.setCurrentIndex(index);
}
