#include "app/window/ControlesForm1.h"

#include "layout/widgets/EtiquetteConseil.h"
#include "layout/widgets/SpinButton.h"
#include "layout/widgets/ToileApercu.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <cmath>

QRect twips(int left, int top, int width, int height)
{
    auto px = [](int t) { return int(std::lround(t / 15.0)); };
    return QRect(px(left), px(top), px(width), px(height));
}

namespace {
QGroupBox* groupe(QWidget* parent, const QString& nom, const QString& titre, QRect r)
{
    auto* g = new QGroupBox(titre, parent);
    g->setObjectName(nom);
    g->setGeometry(r);
    return g;
}

// A caption panel: sunken, its text centred, repainted at once when it changes.
QLabel* panneau(QWidget* parent, const QString& nom, const QString& texte, QRect r)
{
    auto* l = new QLabel(texte, parent);
    l->setObjectName(nom);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    l->setGeometry(r);
    return l;
}

QLabel* legende(QWidget* parent, const QString& texte, QRect r,
                Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* l = new QLabel(texte, parent);
    l->setAlignment(a);
    l->setGeometry(r);
    return l;
}

QScrollBar* barre(QWidget* parent, const QString& nom, int min, int max, int valeur, QRect r)
{
    auto* b = new QScrollBar(Qt::Horizontal, parent);
    b->setObjectName(nom);
    b->setRange(min, max);
    b->setSingleStep(1);
    b->setPageStep(5);
    b->setValue(valeur);
    b->setGeometry(r);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

QRadioButton* option(QWidget* parent, const QString& nom, const QString& texte, QRect r)
{
    auto* o = new QRadioButton(texte, parent);
    o->setObjectName(nom);
    o->setGeometry(r);
    return o;
}

QPushButton* bouton(QWidget* parent, const QString& nom, const QString& texte, QRect r)
{
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(nom);
    b->setGeometry(r);
    b->setAutoDefault(false);
    return b;
}

// The key works wherever the focus is in the main window; the tooltip says it, since a
// button shows no underlined letter for a Ctrl key.
void raccourci(QPushButton* b, const char* touches, const QString& infobulle)
{
    const QKeySequence sequence(QString::fromLatin1(touches));
    b->setShortcut(sequence);
    b->setToolTip(QStringLiteral("%1 (%2)").arg(infobulle, sequence.toString(QKeySequence::PortableText)));
}

QPlainTextEdit* boite(QWidget* parent, const QString& nom, QRect r)
{
    auto* t = new QPlainTextEdit(parent);
    t->setObjectName(nom);
    t->setGeometry(r);
    t->setTabChangesFocus(true);
    t->setLineWrapMode(QPlainTextEdit::NoWrap);
    return t;
}

SpinButton* spin(QWidget* parent, const QString& nom, Qt::Orientation o, QRect r)
{
    auto* s = new SpinButton(o, parent);
    s->setObjectName(nom);
    s->setGeometry(r);
    return s;
}

QButtonGroup* paire(QObject* parent, QRadioButton* a, QRadioButton* b)
{
    auto* g = new QButtonGroup(parent);
    g->addButton(a, 0);
    g->addButton(b, 1);
    return g;
}
} // namespace

ControlesForm1 ControlesForm1::construit(QWidget* f)
{
    ControlesForm1 c;
    // The design's sizes are those of an 8-point sans-serif caption font.
    QFont police(QStringLiteral("Arial"));
    police.setPointSizeF(8.25);
    f->setFont(police);

    // The format list heads the frame; the rows below it and the frames under the frame
    // sit a little tighter than first designed to make room for it.
    c.SSFrame1 = groupe(f, QStringLiteral("SSFrame1"), QStringLiteral("Format de l'enveloppe"),
                        twips(120, 60, 3000, 1470));
    c.FormatEnveloppe = new QComboBox(c.SSFrame1);
    c.FormatEnveloppe->setObjectName(QStringLiteral("FormatEnveloppe"));
    c.FormatEnveloppe->setGeometry(twips(120, 270, 2760, 330));
    legende(c.SSFrame1, QStringLiteral(" Long. :"), twips(60, 660, 900, 330));
    c.Lg = panneau(c.SSFrame1, QStringLiteral("Lg"), QStringLiteral("220"), twips(960, 660, 645, 330));
    c.BHL = barre(c.SSFrame1, QStringLiteral("BHL"), 50, 350, 220, twips(1680, 660, 1200, 330));
    legende(c.SSFrame1, QStringLiteral(" Haut. :"), twips(60, 1050, 900, 330));
    c.Ht = panneau(c.SSFrame1, QStringLiteral("Ht"), QStringLiteral("110"), twips(960, 1050, 645, 330));
    c.BHH = barre(c.SSFrame1, QStringLiteral("BHH"), 50, 235, 110, twips(1680, 1050, 1200, 330));

    c.Panel3D3 = groupe(f, QStringLiteral("Panel3D3"), QStringLiteral("Quantité à imprimer"),
                        twips(120, 1590, 3000, 720));
    c.QuantitePanneau =
        panneau(c.Panel3D3, QStringLiteral("Quantité"), QStringLiteral("1"), twips(960, 270, 645, 330));
    c.BHQte = barre(c.Panel3D3, QStringLiteral("BHQté"), 1, 100, 1, twips(1680, 270, 1200, 330));

    c.Frame3D2 = groupe(f, QStringLiteral("Frame3D2"), QStringLiteral("Adresse du Destinataire"),
                        twips(120, 2370, 3000, 3285));
    c.Adresse = boite(c.Frame3D2, QStringLiteral("Adresse"), twips(120, 270, 2760, 1890));
    c.ConseilAdresse = new EtiquetteConseil(c.Adresse, c.Frame3D2);
    c.ConseilAdresse->setObjectName(QStringLiteral("ConseilAdresse"));
    c.ConseilAdresse->setGeometry(twips(120, 2175, 2760, 390));
    c.Panel3D6 =
        legende(c.Frame3D2, QStringLiteral("Si le cadre devient Rouge : Dépassement de la Norme postale."),
                twips(120, 2595, 2760, 630), Qt::AlignCenter);
    c.Panel3D6->setObjectName(QStringLiteral("Panel3D6"));
    c.Panel3D6->setWordWrap(true);
    c.Panel3D6->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    c.SSFrame3 =
        groupe(f, QStringLiteral("SSFrame3"), QStringLiteral("Adresses"), twips(120, 5715, 3000, 660));
    c.NAdr = panneau(c.SSFrame3, QStringLiteral("NAdr"), QStringLiteral("0"), twips(960, 270, 900, 330));

    // The preview frame: both position groups lie behind the box, so only their parts
    // outside the preview show.
    c.CadreModele = groupe(f, QStringLiteral("CadreModèle"), QStringLiteral("Modèle de l'Enveloppe"),
                           twips(3240, 60, 6705, 3555));
    c.PictDest = new QFrame(c.CadreModele);
    c.PictDest->setObjectName(QStringLiteral("PictDest"));
    c.PictDest->setGeometry(twips(1950, 2130, 4725, 1395));
    c.PictDest->setAutoFillBackground(true);
    c.PictDest->setBackgroundRole(QPalette::Button);
    legende(c.PictDest, QStringLiteral("Destinataire"), twips(0, 960, 1665, 330));
    legende(c.PictDest, QStringLiteral("Marge Gauche"), twips(3750, 0, 930, 540), Qt::AlignCenter)
        ->setWordWrap(true);
    c.EspAdrG =
        panneau(c.PictDest, QStringLiteral("EspAdrG"), QStringLiteral("100"), twips(4110, 540, 585, 405));
    c.SpinLH = spin(c.PictDest, QStringLiteral("SpinLH"), Qt::Horizontal, twips(3660, 540, 465, 405));
    legende(c.PictDest, QStringLiteral("Marge basse"), twips(1740, 1020, 1365, 270),
            Qt::AlignRight | Qt::AlignVCenter);
    c.EspAdrH =
        panneau(c.PictDest, QStringLiteral("EspAdrH"), QStringLiteral("20"), twips(3600, 960, 585, 405));
    c.SpinLV = spin(c.PictDest, QStringLiteral("SpinLV"), Qt::Vertical, twips(3150, 960, 465, 405));
    legende(c.PictDest, QStringLiteral("mm"), twips(4230, 1020, 420, 285));

    c.PictExp = new QFrame(c.CadreModele);
    c.PictExp->setObjectName(QStringLiteral("PictExp"));
    c.PictExp->setGeometry(twips(30, 360, 1995, 855));
    c.PictExp->setAutoFillBackground(true);
    // A fixed light grey gets fixed black captions: a dark theme's light text would vanish.
    QPalette gris = c.PictExp->palette();
    gris.setColor(QPalette::Window, QColor(224, 224, 224));
    gris.setColor(QPalette::WindowText, Qt::black);
    c.PictExp->setPalette(gris);
    legende(c.PictExp, QStringLiteral("Expéditeur"), twips(60, 60, 855, 240));
    c.ExpedG = panneau(c.PictExp, QStringLiteral("ExpedG"), QStringLiteral("10"), twips(0, 420, 555, 405));
    c.SpinMG = spin(c.PictExp, QStringLiteral("SpinMG"), Qt::Horizontal, twips(540, 420, 435, 405));
    c.ExpedH = panneau(c.PictExp, QStringLiteral("ExpedH"), QStringLiteral("10"), twips(1410, 0, 555, 405));
    c.SpinMV = spin(c.PictExp, QStringLiteral("SpinMV"), Qt::Vertical, twips(1020, 0, 405, 405));

    c.ModeleApercu = new ToileApercu(c.CadreModele);
    c.ModeleApercu->setGeometry(twips(1020, 780, 4560, 2280));
    c.ModeleApercu->raise();

    c.SSFrame4 =
        groupe(f, QStringLiteral("SSFrame4"), QStringLiteral("Expéditeur"), twips(3240, 3675, 3900, 2265));
    c.Exped = boite(c.SSFrame4, QStringLiteral("Exped"), twips(120, 300, 2250, 1845));
    c.CadreLogo = panneau(c.SSFrame4, QStringLiteral("CadreLogo"), QStringLiteral("Nom Adresse"),
                          twips(2490, 300, 1290, 630));
    c.ImgLogo = new QLabel(c.CadreLogo);
    c.ImgLogo->setObjectName(QStringLiteral("ImgLogo"));
    c.ImgLogo->setScaledContents(true);
    c.ImgLogo->setGeometry(twips((1290 - kLargeurImgLogo0) / 2, (630 - kHauteurImgLogo0) / 2,
                                 kLargeurImgLogo0, kHauteurImgLogo0));
    c.ImgLogo->setCursor(Qt::PointingHandCursor);
    c.ImgLogo->hide();
    c.Logo[0] =
        option(c.SSFrame4, QStringLiteral("Logo(0)"), QStringLiteral("Logo"), twips(2490, 1080, 1290, 300));
    c.Logo[1] =
        option(c.SSFrame4, QStringLiteral("Logo(1)"), QStringLiteral("Texte"), twips(2490, 1440, 1290, 300));
    c.Logo[1]->setChecked(true);
    c.LogoGroupe = paire(f, c.Logo[0], c.Logo[1]);
    c.Label1 = legende(f, QStringLiteral("Si un Logo est choisi, il s'imprimera à sa taille d'origine."),
                       twips(3240, 5985, 3900, 390), Qt::AlignCenter);
    c.Label1->setObjectName(QStringLiteral("Label1"));
    c.Label1->setWordWrap(true);

    c.SSFrame2 = groupe(f, QStringLiteral("SSFrame2"), QStringLiteral("Orientation Imprim."),
                        twips(7260, 3675, 2685, 2025));
    for (int i = 0; i < 4; ++i) {
        auto* image = new QLabel(c.SSFrame2);
        image->setObjectName(QStringLiteral("PlivaneOrient(%1)").arg(i));
        image->setPixmap(QPixmap(QStringLiteral(":/orient%1.png").arg(i)));
        image->setScaledContents(true);
        image->setGeometry(twips(442, 270, 1800, 1320));
        image->setVisible(i == 0);
        c.PlivaneOrient[i] = image;
    }
    c.Orient[0] = option(c.SSFrame2, QStringLiteral("Orient(0)"), QStringLiteral("Portrait"),
                         twips(120, 1650, 1200, 300));
    c.Orient[1] = option(c.SSFrame2, QStringLiteral("Orient(1)"), QStringLiteral("Paysage"),
                         twips(1380, 1650, 1200, 300));
    c.Orient[0]->setChecked(true);
    c.OrientGroupe = paire(f, c.Orient[0], c.Orient[1]);

    c.SSFrame5 = groupe(f, QStringLiteral("SSFrame5"), QStringLiteral("Repères de coupe"),
                        twips(7260, 5715, 2685, 660));
    c.ReperesCoupe[0] = option(c.SSFrame5, QStringLiteral("RepèresCoupe(0)"), QStringLiteral("Oui"),
                               twips(120, 285, 1100, 300));
    c.ReperesCoupe[1] = option(c.SSFrame5, QStringLiteral("RepèresCoupe(1)"), QStringLiteral("Non"),
                               twips(1380, 285, 1100, 300));
    c.ReperesCoupe[1]->setChecked(true);
    c.ReperesCoupeGroupe = paire(f, c.ReperesCoupe[0], c.ReperesCoupe[1]);

    const int yBoutons = 6495;
    c.Ajouter =
        bouton(f, QStringLiteral("Ajouter"), QStringLiteral("Ajouter"), twips(120, yBoutons, 1200, 465));
    c.Modifier =
        bouton(f, QStringLiteral("Modifier"), QStringLiteral("Modifier"), twips(1410, yBoutons, 1200, 465));
    c.Serie =
        bouton(f, QStringLiteral("Série"), QStringLiteral("Adresses"), twips(2700, yBoutons, 1200, 465));
    c.Sauver =
        bouton(f, QStringLiteral("Sauver"), QStringLiteral("Sauver..."), twips(4080, yBoutons, 1320, 465));
    c.Ouvrir =
        bouton(f, QStringLiteral("Ouvrir"), QStringLiteral("Ouvrir..."), twips(5490, yBoutons, 1320, 465));
    // The print, its preview and the printer's alignment share the row with the fonts.
    c.Imprimer = bouton(f, QStringLiteral("Imprimer"), QStringLiteral("Imprimer..."),
                        twips(6900, yBoutons, 1140, 465));
    c.Apercu =
        bouton(f, QStringLiteral("Apercu"), QStringLiteral("Aperçu..."), twips(8130, yBoutons, 1140, 465));
    c.Apercu->setToolTip(QStringLiteral("Aperçu avant impression"));
    c.Polices =
        bouton(f, QStringLiteral("Polices"), QStringLiteral("Polices..."), twips(9360, yBoutons, 1140, 465));
    c.ReglageImprimante = bouton(f, QStringLiteral("ReglageImprimante"), QStringLiteral("Réglage..."),
                                 twips(10590, yBoutons, 1110, 465));
    c.ReglageImprimante->setToolTip(
        QStringLiteral("Réglage de l'imprimante : décalage et page de calibrage"));
    c.Quitter =
        bouton(f, QStringLiteral("Quitter"), QStringLiteral("Quitter"), twips(11790, yBoutons, 1320, 465));

    raccourci(c.Sauver, "Ctrl+S", QStringLiteral("Sauver le fichier d'adresses"));
    raccourci(c.Ouvrir, "Ctrl+O", QStringLiteral("Ouvrir un fichier d'adresses"));
    raccourci(c.Imprimer, "Ctrl+P", QStringLiteral("Imprimer les enveloppes"));
    raccourci(c.Quitter, "Ctrl+Q", QStringLiteral("Quitter Plivane"));

    c.placeCalendrier = twips(10065, 60, 3045, 6300);
    return c;
}
