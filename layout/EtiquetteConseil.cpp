#include "layout/EtiquetteConseil.h"

#include "layout/ConseilAdresse.h"

EtiquetteConseil::EtiquetteConseil(QWidget* boite, QWidget* parent) : QLabel(parent), m_boite(boite)
{
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Grey and small: advice, not an error. Red belongs to the postal norm. The grey is the
    // theme's own muted text, so that it reads on a dark window as on a light one.
    QFont police = font();
    police.setPointSizeF(7.5);
    police.setItalic(true);
    setFont(police);
    setForegroundRole(QPalette::PlaceholderText);
    hide();
}

bool EtiquetteConseil::tient(const QString& texte) const
{
    const QRect place(0, 0, width(), 100000);
    return fontMetrics().boundingRect(place, Qt::TextWordWrap, texte).height() <= height();
}

void EtiquetteConseil::suit(const QString& texteAdresse)
{
    const QList<ConseilAdresse::Regle> regles = ConseilAdresse::enfreintes(texteAdresse);
    if (regles == m_regles)
        return;
    m_regles = regles;
    // All the advice when it fits the line's place; else the first rules, the tooltip and
    // the box's description telling the whole of it.
    const QString complet = ConseilAdresse::conseil(regles);
    QString montre = complet;
    for (qsizetype n = regles.size() - 1; n >= 1 && !tient(montre); --n)
        montre = ConseilAdresse::conseil(regles, n);
    setText(montre);
    setToolTip(ConseilAdresse::detail(regles));
    setVisible(!regles.isEmpty());
    if (m_boite)
        m_boite->setAccessibleDescription(complet);
}
