#include "app/window/AccessibiliteForm1.h"

#include "app/window/ControlesForm1.h"
#include "layout/widgets/SpinButton.h"
#include "layout/widgets/ToileApercu.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>

namespace {
void nomme(QWidget* w, const QString& nom, const QString& description = {})
{
    if (!w)
        return;
    w->setAccessibleName(nom);
    if (!description.isEmpty())
        w->setAccessibleDescription(description);
}

void decrit(QWidget* w, const QString& description)
{
    if (w)
        w->setAccessibleDescription(description);
}

// On Linux a drop-down's spoken name is the entry it shows, and its label comes from the
// frame around it; the description says what the list is for wherever it stands.
void liste(QComboBox* l, const QString& sujet)
{
    nomme(l, sujet, sujet);
}

// The arrow that lowers the value and the one that raises it; for the sender's distance
// from the top edge the down arrow raises it.
void fleches(SpinButton* spin, const QString& reglage, bool basAugmente = false)
{
    if (!spin)
        return;
    const QString diminuer = QStringLiteral("%1 : diminuer").arg(reglage);
    const QString augmenter = QStringLiteral("%1 : augmenter").arg(reglage);
    spin->setAccessibleName(reglage);
    spin->flecheBas()->setAccessibleName(basAugmente ? augmenter : diminuer);
    spin->flecheHaut()->setAccessibleName(basAugmente ? diminuer : augmenter);
    // The same words for the mouse, since the arrows carry no caption either.
    spin->flecheBas()->setToolTip(spin->flecheBas()->accessibleName());
    spin->flecheHaut()->setToolTip(spin->flecheHaut()->accessibleName());
}

// Options speak their caption; the frame says what the choice is about.
void options(QRadioButton* const (&paire)[2], const QString& sujet)
{
    for (QRadioButton* o : paire)
        decrit(o, sujet);
}
} // namespace

void AccessibiliteForm1::applique(const ControlesForm1& c, QWidget& fenetre)
{
    liste(c.FormatEnveloppe, QStringLiteral("Format de l'enveloppe"));
    nomme(c.BHL, QStringLiteral("Longueur de l'enveloppe"), QStringLiteral("En millimètres, de 50 à 350"));
    nomme(c.BHH, QStringLiteral("Hauteur de l'enveloppe"), QStringLiteral("En millimètres, de 50 à 235"));
    nomme(c.BHQte, QStringLiteral("Quantité à imprimer"), QStringLiteral("Nombre d'enveloppes, de 1 à 100"));
    decrit(c.Lg, QStringLiteral("Longueur de l'enveloppe en millimètres"));
    decrit(c.Ht, QStringLiteral("Hauteur de l'enveloppe en millimètres"));
    decrit(c.QuantitePanneau, QStringLiteral("Quantité d'enveloppes à imprimer"));
    decrit(c.NAdr, QStringLiteral("Nombre d'adresses dans la liste"));

    nomme(c.Adresse, QStringLiteral("Adresse du Destinataire"));
    nomme(c.Exped, QStringLiteral("Expéditeur"));

    nomme(c.ModeleApercu, QStringLiteral("Aperçu de l'enveloppe"));
    decritApercu(c, {});
    decrit(c.EspAdrG, QStringLiteral("Marge gauche du destinataire en millimètres"));
    decrit(c.EspAdrH, QStringLiteral("Marge basse du destinataire en millimètres"));
    decrit(c.ExpedG, QStringLiteral("Marge gauche de l'expéditeur en millimètres"));
    decrit(c.ExpedH, QStringLiteral("Marge haute de l'expéditeur en millimètres"));
    fleches(c.SpinLH, QStringLiteral("Marge gauche du destinataire"));
    fleches(c.SpinLV, QStringLiteral("Marge basse du destinataire"));
    fleches(c.SpinMG, QStringLiteral("Marge gauche de l'expéditeur"));
    fleches(c.SpinMV, QStringLiteral("Marge haute de l'expéditeur"), true);

    // The thumbnail is a command too: it chooses another logo file. The keyboard reaches it
    // whenever it shows.
    if (c.ImgLogo) {
        nomme(c.ImgLogo, QStringLiteral("Logo de l'expéditeur"),
              QStringLiteral("Choisir un autre fichier logo (Espace ou Entrée)"));
        c.ImgLogo->setFocusPolicy(Qt::StrongFocus);
        c.ImgLogo->setToolTip(QStringLiteral("Choisir un autre fichier logo"));
    }
    decrit(c.CadreLogo, QStringLiteral("Cadre du logo de l'expéditeur"));
    options(c.Logo, QStringLiteral("Expéditeur imprimé en logo ou en texte"));
    options(c.Orient, QStringLiteral("Orientation Imprim."));
    options(c.ReperesCoupe, QStringLiteral("Repères de coupe"));
    static const char* const kSens[4] = {"portrait, sans repères de coupe", "paysage, sans repères de coupe",
                                         "portrait, avec repères de coupe", "paysage, avec repères de coupe"};
    for (int i = 0; i < 4; ++i)
        nomme(c.PlivaneOrient[i],
              QStringLiteral("Enveloppe dans l'imprimante : %1").arg(QString::fromUtf8(kSens[i])));

    // The calendar's month and year lists have no caption of their own.
    liste(fenetre.findChild<QComboBox*>(QStringLiteral("cMois")), QStringLiteral("Mois du calendrier"));
    liste(fenetre.findChild<QComboBox*>(QStringLiteral("cAn")), QStringLiteral("Année du calendrier"));
}

void AccessibiliteForm1::decritApercu(const ControlesForm1& c, const QStringList& ecartsNorme)
{
    decrit(c.ModeleApercu,
           ecartsNorme.isEmpty()
               ? QStringLiteral("Le cadre du destinataire devient rouge quand il dépasse la norme postale")
               : QStringLiteral("Destinataire hors norme : ") + ecartsNorme.join(QStringLiteral(" ; ")) +
                     u'.');
}
