#include "app/window/Form1.h"

#include "addresses/liste/AddressEncoding.h"
#include "addresses/widgets/Form2.h"
#include "addresses/import/ImportAdresses.h"
#include "addresses/fichier/PlvDocument.h"
#include "app/NombrePanneau.h"
#include "app/window/AccessibiliteForm1.h"
#include "calendar/widgets/Calendrier.h"
#include "print/CommandeImpression.h"
#include "print/widgets/Form3.h"
#include "platform/BusyPointer.h"
#include "layout/AjusteLogo.h"
#include "layout/widgets/ChoixFormat.h"
#include "layout/widgets/CompletionCodePostal.h"
#include "layout/widgets/EtiquetteConseil.h"
#include "layout/FlecheSpin.h"
#include "layout/widgets/ToileApercu.h"
#include "layout/widgets/SpinButton.h"
#include "layout/VerificationEnveloppes.h"
#include "platform/PrinterService.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStandardPaths>
#include <QTextBlock>
#include <cmath>

namespace {
constexpr qint64 kIntervalleBoiteMs = 40;
const QString kTitreControleFinal = QStringLiteral("Contrôle final");
const QString kQuestionSauvegarde = QStringLiteral("Voulez-vous sauvegarder vos modifications ?");

// The 118 x 53 picture that is the logo until the user or a file chooses another.
QImage logoIntegre()
{
    return QImage(QStringLiteral(":/logo.bmp"));
}

// The boxes hold their lines with Qt's line feeds; the program's own form is CR LF.
QString texteCrLf(const QPlainTextEdit* boite)
{
    return AvecFinLigne(boite->toPlainText());
}

void metTexteCrLf(QPlainTextEdit* boite, QString texte)
{
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texte.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    boite->setPlainText(texte);
}

double nombre(const QLabel* panneau)
{
    return NombrePanneau(panneau->text());
}

FontChoice valeursDe(const BlockFont& police)
{
    FontChoice v;
    v.name = police.name;
    v.pointSize = police.pointSize;
    v.bold = police.bold;
    v.italic = police.italic;
    v.underline = police.underline;
    v.colour = police.colour.paperColour();  // the dialog offers the colour that prints
    return v;
}
}  // namespace

QString Form1::TitreConcu()
{
    return QStringLiteral("Plivane - Version 2.1");
}

Form1::Form1(Dialogs& dialogs, PrinterService& imprimante, QWidget* parent)
    : QMainWindow(parent),
      m_dialogs(dialogs),
      m_imprimante(imprimante),
      m_c(ControlesForm1::construit(new QWidget(this))),
      m_apercu(*m_c.ModeleApercu, imprimante),
      m_impression(std::make_unique<CommandeImpression>(
          imprimante, dialogs,
          [this](const EntreesAdresses& adresses) { return form3().choisit(adresses.liste()); }))
{
    QWidget* centre = m_c.SSFrame1->parentWidget();
    centre->setObjectName(QStringLiteral("Form1Client"));
    centre->setFixedSize(twips(0, 0, ControlesForm1::kLargeur, ControlesForm1::kHauteur).size());
    setCentralWidget(centre);
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(TitreConcu());

    // The designed texts and fonts, as the window has them before it loads.
    appliquePolice(m_c.Adresse, m_reglages.PoliceDest);
    appliquePolice(m_c.Exped, m_reglages.PoliceExp);
    metTexteCrLf(m_c.Adresse, QStringLiteral("Nom\r\net\r\nAdresse\r\n"));

    relie();
    demarre();
    AccessibiliteForm1::applique(m_c, *this);
}

Form1::~Form1() = default;

void Form1::relie()
{
    connect(m_c.BHL, &QScrollBar::valueChanged, this, &Form1::BHL_Change);
    connect(m_c.BHH, &QScrollBar::valueChanged, this, &Form1::BHH_Change);
    connect(m_c.BHQte, &QScrollBar::valueChanged, this, &Form1::BHQte_Change);
    // The format list moves BHL and BHH, and shows the format they make.
    new ChoixFormat(*m_c.FormatEnveloppe, *m_c.BHL, *m_c.BHH, this);

    // Down arrows mark the document modified; up arrows do not. The sender's height is
    // measured from the top edge, so its down arrow raises the value.
    auto& r = m_reglages;
    connect(m_c.SpinLH, &SpinButton::bas, this, [this, &r] { fleche(m_c.EspAdrG, r.MargeGaucheDest, nombre(m_c.Lg), -1, true, true); });
    connect(m_c.SpinLH, &SpinButton::haut, this, [this, &r] { fleche(m_c.EspAdrG, r.MargeGaucheDest, nombre(m_c.Lg), +1, false, true); });
    connect(m_c.SpinLV, &SpinButton::bas, this, [this, &r] { fleche(m_c.EspAdrH, r.MargeBasseDest, nombre(m_c.Ht), -1, true, true); });
    connect(m_c.SpinLV, &SpinButton::haut, this, [this, &r] { fleche(m_c.EspAdrH, r.MargeBasseDest, nombre(m_c.Ht), +1, false, true); });
    connect(m_c.SpinMG, &SpinButton::bas, this, [this, &r] { fleche(m_c.ExpedG, r.MargeGaucheExp, nombre(m_c.Lg), -1, true, false); });
    connect(m_c.SpinMG, &SpinButton::haut, this, [this, &r] { fleche(m_c.ExpedG, r.MargeGaucheExp, nombre(m_c.Lg), +1, false, false); });
    connect(m_c.SpinMV, &SpinButton::bas, this, [this, &r] { fleche(m_c.ExpedH, r.MargeHauteExp, nombre(m_c.Ht), +1, true, false); });
    connect(m_c.SpinMV, &SpinButton::haut, this, [this, &r] { fleche(m_c.ExpedH, r.MargeHauteExp, nombre(m_c.Ht), -1, false, false); });

    connect(m_c.OrientGroupe, &QButtonGroup::idToggled, this, [this](int id, bool coche) {
        if (coche)
            Orient_Click(id);
    });
    connect(m_c.ReperesCoupeGroupe, &QButtonGroup::idToggled, this, [this](int, bool coche) {
        if (coche)
            ReperesCoupe_Click();
    });
    connect(m_c.LogoGroupe, &QButtonGroup::idToggled, this, [this](int, bool coche) {
        if (coche)
            Logo_Click();
    });

    connect(m_c.Adresse, &QPlainTextEdit::textChanged, this, &Form1::Adresse_Change);
    new CompletionCodePostal(m_c.Adresse);
    connect(m_c.ConseilAdresse, &EtiquetteConseil::correctionDemandee, this, &Form1::corrigeAcheminement);
    connect(new QShortcut(QKeySequence(EtiquetteConseil::raccourciCorrection()), this), &QShortcut::activated, this,
            &Form1::corrigeAcheminement);
    connect(m_c.Exped, &QPlainTextEdit::textChanged, this, &Form1::Exped_Change);
    m_c.Adresse->installEventFilter(this);
    m_c.Exped->installEventFilter(this);
    m_c.ImgLogo->installEventFilter(this);

    connect(m_c.Polices, &QPushButton::clicked, this, &Form1::Polices_Click);
    connect(m_c.Ajouter, &QPushButton::clicked, this, &Form1::Ajouter_Click);
    connect(m_c.Modifier, &QPushButton::clicked, this, &Form1::Modifier_Click);
    connect(m_c.Serie, &QPushButton::clicked, this, &Form1::Serie_Click);
    connect(m_c.Sauver, &QPushButton::clicked, this, &Form1::Sauver);
    connect(m_c.Ouvrir, &QPushButton::clicked, this, &Form1::Ouvrir_Click);
    connect(m_c.Quitter, &QPushButton::clicked, this, &Form1::Quitter_Click);
    connect(m_c.Imprimer, &QPushButton::clicked, this, &Form1::Imprimer_Click);
    connect(m_c.Apercu, &QPushButton::clicked, this, &Form1::Apercu_Click);
    connect(m_c.ReglageImprimante, &QPushButton::clicked, this, &Form1::ReglageImprimante_Click);
}

void Form1::demarre()
{
    // A step that fails is skipped and start-up goes on.
    m_calendrier = new Calendrier(m_dialogs, QDate::currentDate(), centralWidget());
    m_calendrier->setObjectName(QStringLiteral("Calendrier"));
    // The designed place is the grid's; the title overhangs it on both sides.
    m_calendrier->move(m_c.placeCalendrier.topLeft() -
                       QPoint(int(std::lround(units::toLogicalPixels(Calendrier::kMargeGrille))), 0));
    m_etat.Chargement = true;
    m_reglages.RepereCoupe = false;
    m_reglages.ImageOrient = 0;
    centre();
    (void)m_imprimante.setUnitMillimetres();

    const QImage logo = logoIntegre();
    if (!logo.isNull()) {
        m_reglages.Logo = logo;
        m_c.ImgLogo->setPixmap(QPixmap::fromImage(logo));
    }

    m_reglages.LongueurEnv = float(nombre(m_c.Lg));
    m_reglages.HauteurEnv = float(nombre(m_c.Ht));
    m_titreFenetre = windowTitle();
    m_policeCible = 2;
    m_valeursPolice = valeursDe(m_reglages.PoliceDest);

    // The designed recipient text is the list's first address, shown back in its box.
    form2();
    m_liste.add(EnLigne(texteAdresse()));
    m_liste.setAdresseCourante(0);
    afficheAdresse(m_liste.entry(0));

    m_reglages.LogoChoisi = false;
    m_reglages.NomFichier = QStringLiteral("Nouveau");
    m_reglages.NomLogo = QStringLiteral("Logo.BMP");
    // The program's own folder is read-only once installed: new files start in Documents.
    m_reglages.CheminFichier = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                               + QDir::separator() + m_reglages.NomFichier;
    m_reglages.LitMarges(m_c.ExpedH->text(), m_c.ExpedG->text(), m_c.EspAdrG->text(), m_c.EspAdrH->text());
}

void Form1::centre()
{
    adjustSize();
    const QScreen* ecran = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    const QRect zone = ecran->availableGeometry();
    move(zone.left() + (zone.width() - width()) / 2, zone.top() + (zone.height() - height()) / 2);
}

void Form1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_dejaActive)
        Form_Activate();
}

void Form1::Form_Activate()
{
    // Coming back from the address list or the print selection must not make the program
    // forget unsaved changes: only the first activation starts the document unmodified.
    const bool garde = m_dejaActive && m_etat.Modifie;
    m_etat.Chargement = true;
    m_c.NAdr->setText(QString::number(m_liste.count()));
    m_etat.Modifie = false;
    DessineModele();
    DessineExp();
    DessineDest();
    m_etat.Modifie = garde;
    m_etat.Chargement = false;
    m_dejaActive = true;
}

void Form1::closeEvent(QCloseEvent* event)
{
    // A run lets the window repaint between envelopes, and a close request from the
    // window manager may arrive then: the program must not end under its own print.
    if (ImpressionEnCours()) {
        event->ignore();
        return;
    }
    if (!modificationsReglees()) {
        event->ignore();
        return;
    }
    event->accept();
    QApplication::closeAllWindows();
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_c.Adresse)
            focusBoite(2);
        else if (watched == m_c.Exped)
            focusBoite(1);
    } else if (watched == m_c.ImgLogo && event->type() == QEvent::MouseButtonRelease) {
        OuvrirLogo();
        return true;
    } else if (watched == m_c.ImgLogo && event->type() == QEvent::KeyPress) {
        // The keyboard's click on the thumbnail.
        const int touche = static_cast<QKeyEvent*>(event)->key();
        if (touche == Qt::Key_Space || touche == Qt::Key_Return || touche == Qt::Key_Enter) {
            OuvrirLogo();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

QString Form1::texteAdresse() const
{
    return texteCrLf(m_c.Adresse);
}

QString Form1::texteExped() const
{
    return texteCrLf(m_c.Exped);
}

void Form1::marqueModifie()
{
    if (!m_etat.Chargement)
        m_etat.Modifie = true;
}

// --- Preview -------------------------------------------------------------------------

void Form1::DessineModele()
{
    m_etat.Modifie = !m_etat.Chargement;
    m_reglages.LitMarges(m_c.ExpedH->text(), m_c.ExpedG->text(), m_c.EspAdrG->text(), m_c.EspAdrH->text());
    const GeometrieApercu g = m_apercu.DessineModele(nombre(m_c.Lg), nombre(m_c.Ht), m_reglages.RepereCoupe, m_dessin);
    auto px = [](Twips t) { return int(std::lround(units::toLogicalPixels(t))); };
    m_c.ModeleApercu->move(px(g.gauche), px(m_dessin.hautModele));
    m_c.PictExp->move(px(g.gauchePictExp), m_c.PictExp->y());
    m_c.PictDest->move(px(g.gauchePictDest), px(g.hautPictDest));
}

void Form1::DessineDest()
{
    m_apercu.DessineDest(texteAdresse(), m_reglages, nombre(m_c.Lg), nombre(m_c.Ht));
    QStringList ecarts;
    if (m_apercu.destDessine() && !m_apercu.verdictDest().respectee())
        ecarts = ecartsNorme({m_reglages.MargeGaucheDest, m_reglages.MargeBasseDest, m_apercu.largeurTexteDest(),
                              m_apercu.hauteurTexteDest()},
                             nombre(m_c.Lg), m_reglages.HauteurEnv);
    m_c.ConseilAdresse->suitNorme(ecarts);
    // A screen reader user hears why the block is red, as a sighted one sees it.
    AccessibiliteForm1::decritApercu(m_c, ecarts);
}

void Form1::DessineExp()
{
    m_apercu.DessineExp(texteExped(), m_reglages);
}

// --- Size, position and option controls --------------------------------------------

void Form1::BHL_Change(int valeur)
{
    m_c.Lg->setText(QString::number(valeur));
    m_reglages.LongueurEnv = float(valeur);
    m_reglages.MargeGaucheDest = ReglagesModele::MargeGaucheDestPour(m_reglages.LongueurEnv);
    m_c.EspAdrG->setText(TexteNombre(m_reglages.MargeGaucheDest));
    DessineModele();
    DessineExp();
    DessineDest();
}

void Form1::BHH_Change(int valeur)
{
    m_c.Ht->setText(QString::number(valeur));
    m_reglages.HauteurEnv = float(valeur);
    DessineModele();
    DessineExp();
    DessineDest();
}

void Form1::BHQte_Change(int valeur)
{
    m_c.QuantitePanneau->setText(QString::number(valeur));
    m_reglages.Quantite = valeur;
    m_etat.Modifie = !m_etat.Chargement;
}

void Form1::fleche(QLabel* panneau, float& reglage, double borne, int pas, bool marque, bool dest)
{
    const std::optional<QString> texte = FlecheSpin(reglage, borne, panneau->text(), pas);
    if (!texte)
        return;
    panneau->setText(*texte);
    panneau->repaint();
    reglage = float(NombrePanneau(panneau->text()));
    if (dest)
        DessineDest();
    else
        DessineExp();
    if (marque)
        marqueModifie();
}

void Form1::montreImageOrient(int index)
{
    for (int i = 0; i < 4; ++i)
        m_c.PlivaneOrient[i]->setVisible(i == index);
}

void Form1::Orient_Click(int index)
{
    m_reglages.Orientation = index;
    m_reglages.ImageOrient = ReglagesModele::ImageOrientPour(index, m_reglages.RepereCoupe);
    montreImageOrient(m_reglages.ImageOrient);
    marqueModifie();
}

void Form1::ReperesCoupe_Click()
{
    m_reglages.RepereCoupe = m_c.ReperesCoupe[0]->isChecked();
    if (m_reglages.ImageOrient >= 2 && !m_reglages.RepereCoupe)
        m_reglages.ImageOrient -= 2;
    else if (m_reglages.ImageOrient < 2 && m_reglages.RepereCoupe)
        m_reglages.ImageOrient += 2;
    montreImageOrient(m_reglages.ImageOrient);
    DessineModele();
    DessineExp();
    DessineDest();
    marqueModifie();
}

// --- Recipient and sender boxes ------------------------------------------------------

void Form1::corrigeAcheminement()
{
    const VerdictAcheminement& verdict = m_c.ConseilAdresse->verdict();
    const QTextBlock bloc = m_c.Adresse->document()->findBlockByNumber(int(verdict.ligne));
    if (verdict.suggestion.isEmpty() || !bloc.isValid())
        return;
    // Through the box's cursor, as typing would: the user can undo it, and it is the
    // user's own edit of the document.
    QTextCursor curseur(bloc);
    curseur.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    curseur.insertText(verdict.suggestion);
    m_c.Adresse->setTextCursor(curseur);
}

void Form1::Adresse_Change()
{
    // Advice on the address's form follows every change, the print run's included.
    m_c.ConseilAdresse->suit(texteAdresse());
    // While a run prints, it puts each address into the box in turn.
    if (ImpressionEnCours())
        return;
    marqueModifie();
    DessineDest();
}

void Form1::Exped_Change()
{
    if (ImpressionEnCours())
        return;
    marqueModifie();
    DessineExp();
}

// --- Logo ----------------------------------------------------------------------------

void Form1::Logo_Click()
{
    if (m_c.Logo[1]->isChecked()) {
        m_c.CadreLogo->setText(QStringLiteral("Nom Adresse"));
        m_c.ImgLogo->hide();
        m_reglages.LogoChoisi = false;
    } else {
        m_c.CadreLogo->setText(QString());
        m_c.ImgLogo->show();
        m_reglages.LogoChoisi = true;
        // A file being opened brings its own logo: asking for another would be wrong.
        if (!m_etat.Chargement)
            OuvrirLogo();
    }
    DessineExp();
    marqueModifie();
}

void Form1::OuvrirLogo()
{
    FileDialogRequest demande;
    demande.title = QStringLiteral("Ouvrir un Fichier LOGO");
    demande.filter = FichierAdresses::FiltreLogos();
    demande.defaultSuffix = QStringLiteral("BMP");
    const std::optional<QString> choix = m_dialogs.openFile(demande);
    if (!choix)
        return;
    m_reglages.NomLogo = *choix;
    if (m_reglages.NomLogo.isEmpty())
        return;
    // A file that is no loadable bitmap leaves the previous picture, without a word.
    if (!CadreImLogo())
        return;
    DessineExp();
    marqueModifie();
}

bool Form1::CadreImLogo()
{
    const QImage image = FichierAdresses::LitLogo(m_reglages.NomLogo);
    if (image.isNull())
        return false;
    montreLogo(image);
    return true;
}

void Form1::montreLogo(const QImage& image)
{
    m_reglages.Logo = image;
    m_c.ImgLogo->setPixmap(QPixmap::fromImage(image));
    const QRect cadre = m_c.CadreLogo->geometry();
    const PlaceVignette p = ajusteVignette(
        units::fromLogicalPixels(image.width()), units::fromLogicalPixels(image.height()),
        Twips(ControlesForm1::kLargeurImgLogo0), Twips(ControlesForm1::kHauteurImgLogo0),
        units::fromLogicalPixels(cadre.width()), units::fromLogicalPixels(cadre.height()));
    auto px = [](Twips t) { return int(std::lround(units::toLogicalPixels(t))); };
    m_c.CadreLogo->setText(QString());
    m_c.ImgLogo->setGeometry(px(p.gauche), px(p.haut), px(p.largeur), px(p.hauteur));
    m_c.ImgLogo->update();
}

// --- Fonts ---------------------------------------------------------------------------

void Form1::appliquePolice(QPlainTextEdit* boite, const BlockFont& police)
{
    boite->setFont(police.toQFont());
    // The desktop's text colour is left to the desktop, so that the box stays readable
    // when its theme changes while the program runs.
    if (police.colour == TextColour::windowText()) {
        boite->setPalette(QPalette());
        return;
    }
    QPalette p = boite->palette();
    p.setColor(QPalette::Text, police.colour.toQColor());
    boite->setPalette(p);
}

void Form1::focusBoite(int cible)
{
    m_policeCible = cible;
    m_valeursPolice = valeursDe(cible == 1 ? m_reglages.PoliceExp : m_reglages.PoliceDest);
}

void Form1::Polices_Click()
{
    // The dialog opens on the font its block has now: opening a file since the box last
    // had the focus would otherwise offer, and on OK write, the previous document's font.
    focusBoite(m_policeCible);
    const std::optional<FontChoice> choix = m_dialogs.chooseFont(m_valeursPolice);
    if (!choix)
        return;
    m_valeursPolice = *choix;
    const bool exp = m_policeCible == 1;
    BlockFont& police = exp ? m_reglages.PoliceExp : m_reglages.PoliceDest;
    if (choix->pointSize > 0)
        police.pointSize = choix->pointSize;
    if (!choix->name.trimmed().isEmpty())
        police.name = choix->name;
    police.italic = choix->italic;
    police.bold = choix->bold;
    police.underline = choix->underline;
    // Keeping the desktop's text colour when the user left it alone keeps files portable.
    if (choix->colour.isValid() && choix->colour != police.colour.paperColour())
        police.colour = TextColour::fromRgb(choix->colour);
    appliquePolice(exp ? m_c.Exped : m_c.Adresse, police);
    m_etat.Modifie = true;
    DessineExp();
    DessineDest();
}

// --- Address list --------------------------------------------------------------------

Form2& Form1::form2()
{
    if (!m_form2) {
        m_form2 = new Form2(m_liste, this);
        m_form2->placeOver(*this);
        connect(m_form2, &Form2::afficheAdresse, this, &Form1::afficheAdresse);
        connect(m_form2, &Form2::modifierDisponible, m_c.Modifier, &QWidget::setEnabled);
        connect(m_form2, &Form2::documentModifie, this, [this] { m_etat.Modifie = true; });
        connect(m_form2, &Form2::importer, this, [this] {
            if (ImportAdresses(m_dialogs, m_liste).Importer() > 0)
                m_etat.Modifie = true;
        });
        connect(m_form2, &Form2::verifier, this, [this](const QList<int>& lignes) {
            const std::optional<int> aModifier = revoitEnveloppes(m_imprimante, m_dialogs, m_reglages, m_liste.entries(), lignes);
            if (!aModifier)
                return;
            // As "Afficher ou Modifier la Sélection": the address in the box, for Modifier.
            m_liste.setAdresseCourante(*aModifier);
            afficheAdresse(m_liste.entry(*aModifier));
            m_c.Modifier->setEnabled(true);
            m_form2->accept();
        });
    }
    return *m_form2;
}

Form3& Form1::form3()
{
    // Placed once, over the main window as it stands at this first use.
    if (!m_form3)
        m_form3 = new Form3(this);
    return *m_form3;
}

void Form1::afficheAdresse(const QString& entree)
{
    // Only the user's own typing is an edit: an address the program brings back (from the
    // list, a file or a print run) leaves the document as it was.
    {
        const QScopedValueRollback<bool> programme(m_etat.Chargement, true);
        metTexteCrLf(m_c.Adresse, EnForme(entree));
    }
    // The address shown is the current one whenever there is one, and Modifier replaces it.
    m_c.Modifier->setEnabled(m_liste.adresseCourante() >= 0);
}

void Form1::Ajouter_Click()
{
    m_etat.Modifie = true;
    // The box shows the entry just added: it is the one a following Modifier replaces.
    m_liste.setAdresseCourante(m_liste.add(EnLigne(texteAdresse())));
    m_c.Modifier->setEnabled(true);
    m_c.NAdr->setText(QString::number(m_liste.count()));
}

void Form1::Modifier_Click()
{
    // The entry shown is replaced, never another; with none shown there is nothing to do.
    if (m_liste.adresseCourante() < 0)
        return;
    m_etat.Modifie = true;
    m_liste.replaceCurrent(EnLigne(texteAdresse()));
}

void Form1::Serie_Click()
{
    form2().exec();
    Form_Activate();
}

// --- Address file --------------------------------------------------------------------

namespace {
const QString kTitreDisque = QStringLiteral("Contrôle de lecture Disque");

FileDialogRequest demandeFichierPlv(const QString& titre, const QString& nomPropose)
{
    FileDialogRequest demande;
    demande.title = titre;
    demande.filter = QStringLiteral("Fichiers autorisés (*.PLV)|*.PLV");
    demande.defaultSuffix = QStringLiteral("PLV");
    demande.initialPath = nomPropose;
    return demande;
}
}  // namespace

bool Form1::modificationsReglees()
{
    if (!m_etat.Modifie)
        return true;
    switch (m_dialogs.question(kTitreControleFinal, kQuestionSauvegarde)) {
    case Answer::Cancel:
        return false;
    case Answer::Yes:
        // Going on after a save that did not happen (cancelled or failed) would throw
        // the work away.
        return Sauver();
    case Answer::No:
        return true;
    }
    return false;
}

bool Form1::Sauver()
{
    const std::optional<QString> choix =
        m_dialogs.saveFile(demandeFichierPlv(QStringLiteral("Sauver un Fichier d'Adresses"), m_reglages.NomFichier));
    if (!choix || choix->isEmpty())
        return false;
    m_reglages.NomFichier = *choix;

    BusyPointer sablier;
    PlvDocument document = PlvDocument::DepuisReglages(m_reglages, texteExped(), m_liste.entries());
    document.Codage = m_codageFichier;
    const Result<QString> ecrit = FichierAdresses::EcritFichier(m_reglages.NomFichier, document, m_reglages.Logo);
    if (!ecrit) {
        // The previous file is intact, and the document stays marked as not saved.
        m_dialogs.message(MessageIcon::Exclamation, kTitreDisque, ecrit.error());
        return false;
    }
    m_reglages.NomLogo = ecrit.value();
    setWindowTitle(FichierAdresses::TitreFenetre(m_titreFenetre, m_reglages.NomFichier));
    m_etat.Modifie = false;
    return true;
}

void Form1::Ouvrir_Click()
{
    if (!modificationsReglees())
        return;
    const std::optional<QString> choix =
        m_dialogs.openFile(demandeFichierPlv(QStringLiteral("Ouvrir un Fichier d'Adresses"), m_reglages.CheminFichier));
    if (!choix || choix->isEmpty())
        return;
    Ouvre(*choix);
}

bool Form1::Ouvre(const QString& nomFichier)
{
    Result<PlvOuverture> ouverture = [&] {
        BusyPointer sablier;
        return FichierAdresses::LitFichier(nomFichier);
    }();
    if (!ouverture) {
        // Nothing of the file is applied: the document on screen stays as it was.
        m_dialogs.message(MessageIcon::Exclamation, kTitreDisque, ouverture.error());
        return false;
    }
    m_reglages.NomFichier = nomFichier;
    m_reglages.CheminFichier = nomFichier;
    PlvOuverture lue = std::move(ouverture).value();
    appliqueDocument(lue);
    if (!lue.avertissement.isEmpty())
        m_dialogs.message(MessageIcon::Exclamation, kTitreDisque, lue.avertissement);
    return true;
}

void Form1::choisitOption(QButtonGroup* paire, int index, const std::function<void()>& clic)
{
    // Selecting an option from here runs its click handling, as a user's click does,
    // even when it was already selected.
    {
        const QSignalBlocker bloque(paire);
        paire->button(index)->setChecked(true);
    }
    clic();
}

void Form1::appliqueDocument(PlvOuverture& ouverture)
{
    PlvDocument& d = ouverture.document;
    BusyPointer sablier;
    m_etat.Chargement = true;

    m_liste.setEntries(std::move(d.Adresses));
    m_liste.setAdresseCourante(m_liste.count() - 1);
    m_reglages.RepereCoupe = d.RepereCoupe;
    m_reglages.LogoChoisi = d.LogoChoisi;
    m_reglages.NomLogo = d.NomLogo;
    m_codageFichier = d.Codage;
    afficheAdresse(m_liste.adresseCourante() >= 0 ? m_liste.entry(m_liste.adresseCourante()) : QString());
    m_c.NAdr->setText(QString::number(m_liste.count()));

    m_c.BHQte->setValue(int(std::lround(d.Quantite)));
    m_c.BHL->setValue(int(std::lround(d.LongueurEnv)));
    m_c.BHH->setValue(int(std::lround(d.HauteurEnv)));

    // After the length, whose change recomputes the recipient's left distance.
    m_reglages.MargeGaucheExp = d.MargeGaucheExp;
    m_reglages.MargeHauteExp = d.MargeHauteExp;
    m_reglages.MargeGaucheDest = d.MargeGaucheDest;
    m_reglages.MargeBasseDest = d.MargeBasseDest;
    m_c.ExpedG->setText(TexteNombreSigne(d.MargeGaucheExp));
    m_c.ExpedH->setText(TexteNombreSigne(d.MargeHauteExp));
    m_c.EspAdrG->setText(TexteNombreSigne(d.MargeGaucheDest));
    m_c.EspAdrH->setText(TexteNombreSigne(d.MargeBasseDest));

    const int orient = d.Portrait ? 0 : 1;
    choisitOption(m_c.OrientGroupe, orient, [this, orient] { Orient_Click(orient); });
    choisitOption(m_c.ReperesCoupeGroupe, d.RepereCoupe ? 0 : 1, [this] { ReperesCoupe_Click(); });

    metTexteCrLf(m_c.Exped, d.Exped);
    afficheAdresse(m_liste.adresseCourante() >= 0 ? m_liste.entry(m_liste.adresseCourante()) : QString());

    m_reglages.PoliceExp = d.PoliceExp;
    m_reglages.PoliceDest = d.PoliceDest;
    appliquePolice(m_c.Exped, m_reglages.PoliceExp);
    appliquePolice(m_c.Adresse, m_reglages.PoliceDest);

    setWindowTitle(FichierAdresses::TitreFenetre(m_titreFenetre, m_reglages.NomFichier));

    if (m_reglages.LogoChoisi) {
        // Never the previous document's picture: the next save would write it as this
        // file's companion bitmap.
        montreLogo(ouverture.logoIllisible ? logoIntegre() : ouverture.logo);
        choisitOption(m_c.LogoGroupe, 0, [this] { Logo_Click(); });
    } else {
        choisitOption(m_c.LogoGroupe, 1, [this] { Logo_Click(); });
    }

    DessineModele();
    DessineDest();
    DessineExp();
    m_etat.Chargement = false;
    m_etat.Modifie = false;
}

// --- Printing ------------------------------------------------------------------------

bool Form1::ImpressionEnCours() const
{
    return m_impression && m_impression->ImpressionEnCours();
}

DemandeImpression Form1::demandeImpression() const
{
    DemandeImpression demande;
    demande.reglages = m_reglages;
    demande.texteExpediteur = texteExped();
    demande.adresses = m_liste.entries();
    return demande;
}

void Form1::Imprimer_Click()
{
    // The box follows the run at the pace the screen repaints: filling it for each of
    // thousands of envelopes would cost more than printing them. It ends on the last one.
    DemandeImpression demande = demandeImpression();
    QElapsedTimer depuis;
    int montree = -1;
    demande.montreAdresse = [this, &depuis, &montree](int index) {
        m_liste.setAdresseCourante(index);
        if (montree >= 0 && depuis.elapsed() < kIntervalleBoiteMs)
            return;
        depuis.start();
        montree = index;
        afficheAdresse(m_liste.entry(index));
    };
    demande.confirmeSelection = [this](const DemandeImpression& d, const QList<int>& selection) {
        return confirmeEnveloppes(m_imprimante, m_dialogs, d.reglages, d.adresses, selection, d.montreAdresse);
    };
    m_impression->Imprimer(demande);
    if (montree >= 0 && m_liste.adresseCourante() != montree) {
        // The run's own change of the box, not the user's.
        m_etat.Chargement = true;
        afficheAdresse(m_liste.entry(m_liste.adresseCourante()));
        m_etat.Chargement = false;
    }
    Form_Activate();
}

void Form1::Apercu_Click()
{
    // The preview shows the pages; the recipient box stays as it is.
    m_impression->Apercu(demandeImpression());
    Form_Activate();
}

void Form1::ReglageImprimante_Click()
{
    m_impression->ReglageImprimante(m_reglages);
}

void Form1::Quitter_Click()
{
    m_impression->Quitter();
    close();
}
