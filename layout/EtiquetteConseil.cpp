#include "layout/EtiquetteConseil.h"

#include "layout/ConseilAdresse.h"

EtiquetteConseil::EtiquetteConseil(QWidget* boite, QWidget* parent) : QLabel(parent), m_boite(boite)
{
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Grey and small: advice, not an error. Red belongs to the postal norm.
    QFont police = font();
    police.setPointSizeF(7.5);
    police.setItalic(true);
    setFont(police);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor(85, 85, 85));
    setPalette(p);
    hide();
}

void EtiquetteConseil::suit(const QString& texteAdresse)
{
    const QList<ConseilAdresse::Regle> regles = ConseilAdresse::enfreintes(texteAdresse);
    const QString conseil = ConseilAdresse::conseil(regles);
    if (conseil == text())
        return;
    setText(conseil);
    setToolTip(ConseilAdresse::detail(regles));
    setVisible(!conseil.isEmpty());
    if (m_boite)
        m_boite->setAccessibleDescription(conseil);
}
