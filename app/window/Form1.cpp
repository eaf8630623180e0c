#include "app/window/Form1.h"

#include "addresses/codespostaux/TableCodesPostaux.h"

#include "addresses/import/ImportAdresses.h"
#include "addresses/liste/EncodageAdresse.h"
#include "addresses/widgets/Form2.h"
#include "app/NombrePanneau.h"
#include "app/window/AccessibiliteForm1.h"
#include "calendar/widgets/Calendrier.h"
#include "layout/AjusteLogo.h"
#include "layout/FlecheSpin.h"
#include "layout/GeometrieEnveloppe.h"
#include "layout/NormePostale.h"
#include "layout/VerificationEnveloppes.h"
#include "layout/widgets/ChoixFormat.h"
#include "layout/widgets/CompletionCodePostal.h"
#include "layout/widgets/EtiquetteConseil.h"
#include "layout/widgets/SpinButton.h"
#include "layout/widgets/ToileApercu.h"
#include "platform/BusyPointer.h"
#include "platform/PrinterService.h"
#include "print/CommandeImpression.h"
#include "print/PapierImprimante.h"
#include "print/widgets/Form3.h"

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

void metTexteCrLf(QPlainTextEdit* boite, QString texte)
{
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texte.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    boite->setPlainText(texte);
}

FontChoice valeursDe(const BlockFont& police)
{
    FontChoice v;
    v.name = police.name;
    v.pointSize = police.pointSize;
    v.bold = police.bold;
    v.italic = police.italic;
    v.underline = police.underline;
    v.colour = police.colour.paperColour(); // the dialog offers the colour that prints
    return v;
}
} // namespace

QString Form1::TitreConcu()
{
    return QStringLiteral("Plivane - Version 2.1");
}

Form1::Form1(Dialogs& dialogs, PrinterService& imprimante, QWidget* parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_imprimante(imprimante),
      m_c(ControlesForm1::construit(new QWidget(this))), m_apercu(*m_c.ModeleApercu, imprimante),
      m_impression(
          std::make_unique<CommandeImpression>(imprimante, dialogs, [this](const EntreesAdresses& adresses) {
              return form3().choisit(adresses.liste());
          }))
{
    QWidget* centre = m_c.SSFrame1->parentWidget();
    centre->setObjectName(QStringLiteral("Form1Client"));
    centre->setFixedSize(twips(0, 0, ControlesForm1::kLargeur, ControlesForm1::kHauteur).size());
    setCentralWidget(centre);
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(TitreConcu());

    // The designed texts and fonts, as the window has them before it loads.
    appliquePolice(m_c.Adresse, m_document.reglages().PoliceDest);
    appliquePolice(m_c.Exped, m_document.reglages().PoliceExp);
    metTexteCrLf(m_c.Adresse, m_document.reglages().TexteDest);

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
    using M = DocumentEnveloppe::Marge;
    const auto L = [this] { return m_document.reglages().LongueurEnv; };
    const auto H = [this] { return m_document.reglages().HauteurEnv; };
    connect(m_c.SpinLH, &SpinButton::bas, this,
            [=, this] { fleche(m_c.EspAdrG, M::GaucheDest, L(), -1, true); });
    connect(m_c.SpinLH, &SpinButton::haut, this,
            [=, this] { fleche(m_c.EspAdrG, M::GaucheDest, L(), +1, false); });
    connect(m_c.SpinLV, &SpinButton::bas, this,
            [=, this] { fleche(m_c.EspAdrH, M::BasseDest, H(), -1, true); });
    connect(m_c.SpinLV, &SpinButton::haut, this,
            [=, this] { fleche(m_c.EspAdrH, M::BasseDest, H(), +1, false); });
    connect(m_c.SpinMG, &SpinButton::bas, this,
            [=, this] { fleche(m_c.ExpedG, M::GaucheExp, L(), -1, true); });
    connect(m_c.SpinMG, &SpinButton::haut, this,
            [=, this] { fleche(m_c.ExpedG, M::GaucheExp, L(), +1, false); });
    connect(m_c.SpinMV, &SpinButton::bas, this,
            [=, this] { fleche(m_c.ExpedH, M::HauteExp, H(), +1, true); });
    connect(m_c.SpinMV, &SpinButton::haut, this,
            [=, this] { fleche(m_c.ExpedH, M::HauteExp, H(), -1, false); });

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
    connect(new QShortcut(QKeySequence(EtiquetteConseil::raccourciCorrection()), this), &QShortcut::activated,
            this, &Form1::corrigeAcheminement);
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

GeometrieEnveloppe::FeuilleImprimante Form1::feuilleImprimante(const ReglagesModele& reglages)
{
    const QString imprimante = m_imprimante.printerName();
    return PapierImprimante::feuille(m_imprimante, m_impression->decalages().installation(imprimante),
                                     reglages);
}

void Form1::demarre()
{
    // A step that fails is skipped and start-up goes on.
    m_calendrier = new Calendrier(m_dialogs, QDate::currentDate(), centralWidget());
    m_calendrier->setObjectName(QStringLiteral("Calendrier"));
    // The designed place is the grid's; the title overhangs it on both sides.
    m_calendrier->move(m_c.placeCalendrier.topLeft() -
                       QPoint(int(std::lround(units::toLogicalPixels(Calendrier::kMargeGrille))), 0));
    const DocumentEnveloppe::Chargement programme(m_document);
    centre();
    (void)m_imprimante.setUnitMillimetres();

    if (const QImage& logo = m_document.reglages().Logo; !logo.isNull())
        m_c.ImgLogo->setPixmap(QPixmap::fromImage(logo));

    m_titreFenetre = windowTitle();
    m_policeCible = 2;
    m_valeursPolice = valeursDe(m_document.reglages().PoliceDest);

    // The designed recipient text is the list's first address, shown back in its box.
    form2();
    ListeAdresses& liste = m_document.adresses();
    liste.ajoute(EnLigne(m_document.reglages().TexteDest));
    liste.setAdresseCourante(0);
    afficheAdresse(liste.entree(0));

    // The program's own folder is read-only once installed: new files start in Documents.
    m_document.setCheminFichier(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                                QDir::separator() + m_document.reglages().NomFichier);
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
    {
        const DocumentEnveloppe::Chargement programme(m_document);
        m_c.NAdr->setText(QString::number(m_document.adresses().nombre()));
        DessineModele();
        DessineExp();
        DessineDest();
    }
    // Coming back from the address list or the print selection must not make the program
    // forget unsaved changes: only the first activation starts the document unmodified.
    if (!m_dejaActive)
        m_document.setModifie(false);
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

// --- Preview -------------------------------------------------------------------------

void Form1::DessineModele()
{
    const ReglagesModele& r = m_document.reglages();
    const GeometrieApercu g = m_apercu.DessineModele(r.LongueurEnv, r.HauteurEnv, r.RepereCoupe, m_dessin);
    auto px = [](Twips t) { return int(std::lround(units::toLogicalPixels(t))); };
    m_c.ModeleApercu->move(px(g.gauche), px(m_dessin.hautModele));
    m_c.PictExp->move(px(g.gauchePictExp), m_c.PictExp->y());
    m_c.PictDest->move(px(g.gauchePictDest), px(g.hautPictDest));
}

void Form1::DessineDest()
{
    const ReglagesModele& r = m_document.reglages();
    m_apercu.DessineDest(r);
    QStringList ecarts;
    if (m_apercu.destDessine() && !m_apercu.verdictDest().respectee())
        ecarts = ecartsNorme(
            {r.MargeGaucheDest, r.MargeBasseDest, m_apercu.largeurTexteDest(), m_apercu.hauteurTexteDest()},
            r.LongueurEnv, r.HauteurEnv);
    m_c.ConseilAdresse->suitNorme(ecarts);
    // A screen reader user hears why the block is red, as a sighted one sees it.
    AccessibiliteForm1::decritApercu(m_c, ecarts);
}

void Form1::DessineExp()
{
    m_apercu.DessineExp(m_document.reglages());
}

// --- Size, position and option controls --------------------------------------------

void Form1::BHL_Change(int valeur)
{
    // Showing the document moves the bars too: only the user's moves change it.
    if (m_document.enChargement())
        return;
    m_document.setLongueurEnv(valeur);
    const ReglagesModele& r = m_document.reglages();
    m_c.Lg->setText(TexteNombre(r.LongueurEnv));
    m_document.setMarge(DocumentEnveloppe::Marge::GaucheDest,
                        ReglagesModele::MargeGaucheDestPour(r.LongueurEnv));
    m_c.EspAdrG->setText(TexteNombre(r.MargeGaucheDest));
    DessineModele();
    DessineExp();
    DessineDest();
    m_document.marqueModifie();
}

void Form1::BHH_Change(int valeur)
{
    if (m_document.enChargement())
        return;
    m_document.setHauteurEnv(valeur);
    m_c.Ht->setText(TexteNombre(m_document.reglages().HauteurEnv));
    DessineModele();
    DessineExp();
    DessineDest();
    m_document.marqueModifie();
}

void Form1::BHQte_Change(int valeur)
{
    if (m_document.enChargement())
        return;
    m_document.setQuantite(valeur);
    m_c.QuantitePanneau->setText(QString::number(m_document.reglages().Quantite));
    m_document.marqueModifie();
}

void Form1::fleche(QLabel* panneau, DocumentEnveloppe::Marge marge, double borne, int pas, bool marque)
{
    const std::optional<float> valeur = FlecheSpin(m_document.marge(marge), borne, pas);
    if (!valeur)
        return;
    m_document.setMarge(marge, *valeur);
    panneau->setText(TexteNombreSigne(*valeur));
    panneau->repaint();
    const bool dest =
        marge == DocumentEnveloppe::Marge::GaucheDest || marge == DocumentEnveloppe::Marge::BasseDest;
    if (dest)
        DessineDest();
    else
        DessineExp();
    if (marque)
        m_document.marqueModifie();
}

void Form1::montreImageOrient(int index)
{
    for (int i = 0; i < 4; ++i)
        m_c.PlivaneOrient[i]->setVisible(i == index);
}

void Form1::Orient_Click(int index)
{
    m_document.setOrientation(index);
    montreImageOrient(m_document.reglages().ImageOrient());
    m_document.marqueModifie();
}

void Form1::ReperesCoupe_Click()
{
    m_document.setRepereCoupe(m_c.ReperesCoupe[0]->isChecked());
    montreImageOrient(m_document.reglages().ImageOrient());
    DessineModele();
    DessineExp();
    DessineDest();
    m_document.marqueModifie();
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
    // An old commune's name goes on its own line above, unless it is there already.
    const bool dejaAuDessus =
        TableCodesPostaux::cle(bloc.previous().text()) == TableCodesPostaux::cle(verdict.ligneAuDessus);
    curseur.insertText(verdict.ligneAuDessus.isEmpty() || dejaAuDessus
                           ? verdict.suggestion
                           : verdict.ligneAuDessus + u'\n' + verdict.suggestion);
    m_c.Adresse->setTextCursor(curseur);
}

void Form1::Adresse_Change()
{
    // The box shows the document's recipient text, the print run's addresses included, and
    // advice on the address's form follows every change.
    m_document.setTexte(DocumentEnveloppe::Bloc::Dest, m_c.Adresse->toPlainText());
    m_c.ConseilAdresse->suit(m_document.reglages().TexteDest);
    // While a run prints, it puts each address into the box in turn.
    if (ImpressionEnCours())
        return;
    m_document.marqueModifie();
    DessineDest();
}

void Form1::Exped_Change()
{
    m_document.setTexte(DocumentEnveloppe::Bloc::Exp, m_c.Exped->toPlainText());
    if (ImpressionEnCours())
        return;
    m_document.marqueModifie();
    DessineExp();
}

// --- Logo ----------------------------------------------------------------------------

void Form1::Logo_Click()
{
    const bool logo = !m_c.Logo[1]->isChecked();
    m_document.setLogoChoisi(logo);
    montreCadreLogo();
    if (logo)
        OuvrirLogo();
    DessineExp();
    m_document.marqueModifie();
}

void Form1::montreCadreLogo()
{
    const bool logo = m_document.reglages().LogoChoisi;
    m_c.CadreLogo->setText(logo ? QString() : QStringLiteral("Nom Adresse"));
    m_c.ImgLogo->setVisible(logo);
}

void Form1::OuvrirLogo()
{
    FileDialogRequest demande;
    demande.title = QStringLiteral("Ouvrir un Fichier LOGO");
    demande.filter = FichierAdresses::filtreLogos();
    demande.defaultSuffix = QStringLiteral("BMP");
    const std::optional<QString> choix = m_dialogs.openFile(demande);
    if (!choix)
        return;
    m_document.setNomLogo(*choix);
    if (choix->isEmpty())
        return;
    // A file that is no loadable bitmap leaves the previous picture, without a word.
    const std::optional<bool> reduit = CadreImLogo();
    if (!reduit)
        return;
    DessineExp();
    m_document.marqueModifie();
    if (*reduit) {
        const RectMm bloc = GeometrieEnveloppe::blocLogo(m_document.reglages());
        m_dialogs.message(MessageIcon::Information, QStringLiteral("Logo"),
                          QStringLiteral("L'image « %1 » est plus grande que la place de l'expéditeur : "
                                         "elle sera imprimée à %2 x %3.")
                              .arg(FichierAdresses::nomSansDossier(*choix), millimetres(bloc.width.value),
                                   millimetres(bloc.height.value)));
    }
}

std::optional<bool> Form1::CadreImLogo()
{
    const QImage image = FichierAdresses::litLogo(m_document.reglages().NomLogo);
    if (image.isNull())
        return std::nullopt;
    const std::optional<QImage> reduit = FichierAdresses::logoALaPlace(image, m_document.reglages());
    montreLogo(reduit.value_or(image));
    return reduit.has_value();
}

void Form1::montreLogo(const QImage& image)
{
    m_document.setLogo(image);
    montreVignette(image);
}

void Form1::montreVignette(const QImage& image)
{
    m_c.ImgLogo->setPixmap(QPixmap::fromImage(image));
    const QRect cadre = m_c.CadreLogo->geometry();
    const PlaceVignette p =
        ajusteVignette(units::fromLogicalPixels(image.width()), units::fromLogicalPixels(image.height()),
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
    m_valeursPolice = valeursDe(
        m_document.police(cible == 1 ? DocumentEnveloppe::Bloc::Exp : DocumentEnveloppe::Bloc::Dest));
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
    const DocumentEnveloppe::Bloc bloc = exp ? DocumentEnveloppe::Bloc::Exp : DocumentEnveloppe::Bloc::Dest;
    BlockFont police = m_document.police(bloc);
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
    m_document.setPolice(bloc, police);
    appliquePolice(exp ? m_c.Exped : m_c.Adresse, police);
    m_document.setModifie(true);
    DessineExp();
    DessineDest();
}

// --- Address list --------------------------------------------------------------------

Form2& Form1::form2()
{
    if (!m_form2) {
        m_form2 = new Form2(m_document.adresses(), this);
        m_form2->placeOver(*this);
        connect(m_form2, &Form2::afficheAdresse, this, &Form1::afficheAdresse);
        connect(m_form2, &Form2::modifierDisponible, m_c.Modifier, &QWidget::setEnabled);
        connect(m_form2, &Form2::documentModifie, this, [this] { m_document.setModifie(true); });
        connect(m_form2, &Form2::importer, this, [this] {
            if (ImportAdresses(m_dialogs, m_document.adresses()).choisitEtImporte() > 0)
                m_document.setModifie(true);
        });
        connect(m_form2, &Form2::verifier, this, [this](const QList<int>& lignes) {
            ListeAdresses& liste = m_document.adresses();
            const std::optional<int> aModifier =
                revoitEnveloppes(m_imprimante, m_dialogs, m_document.reglages(), liste.entrees(), lignes,
                                 feuilleImprimante(m_document.reglages()));
            if (!aModifier)
                return;
            // As "Afficher ou Modifier la Sélection": the address in the box, for Modifier.
            liste.setAdresseCourante(*aModifier);
            afficheAdresse(liste.entree(*aModifier));
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
        const DocumentEnveloppe::Chargement programme(m_document);
        metTexteCrLf(m_c.Adresse, EnForme(entree));
    }
    // The address shown is the current one whenever there is one, and Modifier replaces it.
    m_c.Modifier->setEnabled(m_document.adresses().adresseCourante() >= 0);
}

void Form1::Ajouter_Click()
{
    m_document.setModifie(true);
    ListeAdresses& liste = m_document.adresses();
    // The box shows the entry just added: it is the one a following Modifier replaces.
    liste.setAdresseCourante(liste.ajoute(EnLigne(m_document.reglages().TexteDest)));
    m_c.Modifier->setEnabled(true);
    m_c.NAdr->setText(QString::number(liste.nombre()));
}

void Form1::Modifier_Click()
{
    // The entry shown is replaced, never another; with none shown there is nothing to do.
    ListeAdresses& liste = m_document.adresses();
    if (liste.adresseCourante() < 0)
        return;
    m_document.setModifie(true);
    liste.remplaceCourante(EnLigne(m_document.reglages().TexteDest));
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
} // namespace

bool Form1::modificationsReglees()
{
    if (!m_document.Modifie())
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
    // A new envelope's name alone would put it wherever the program was started: it goes
    // where "Ouvrir..." looks.
    const ReglagesModele& r = m_document.reglages();
    QString propose = QDir::isAbsolutePath(r.NomFichier) ? r.NomFichier : r.CheminFichier;
    for (;;) {
        const std::optional<QString> choix =
            m_dialogs.saveFile(demandeFichierPlv(QStringLiteral("Sauver un Fichier d'Adresses"), propose));
        if (!choix || choix->isEmpty())
            return false;
        switch (Enregistre(*choix)) {
        case IssueEcriture::Ecrit:
            return true;
        case IssueEcriture::AutreNom:
            propose = *choix;
            continue;
        case IssueEcriture::Abandon:
            return false;
        }
    }
}

Form1::IssueEcriture Form1::Enregistre(const QString& nomFichier)
{
    static const QString autreNom = QStringLiteral("Enregistrer sous...");
    using Genre = DocumentEnveloppe::Obstacle::Genre;
    const DocumentEnveloppe::Obstacle obstacle = [&] {
        BusyPointer sablier;
        return m_document.obstacleAvantEcriture(nomFichier);
    }();
    switch (obstacle.genre) {
    case Genre::Aucun:
        break;
    case Genre::LectureSeule:
        return m_dialogs.choice(MessageIcon::Exclamation, kTitreDisque, obstacle.texte, {autreNom}) == 0
                   ? IssueEcriture::AutreNom
                   : IssueEcriture::Abandon;
    case Genre::OuvertAilleurs:
        switch (m_dialogs.choice(MessageIcon::Exclamation, kTitreDisque, obstacle.texte,
                                 {autreNom, QStringLiteral("Écraser")})) {
        case 0:
            return IssueEcriture::AutreNom;
        case 1:
            break;
        default:
            return IssueEcriture::Abandon;
        }
        break;
    case Genre::ModifieAilleurs:
        switch (m_dialogs.choice(MessageIcon::Exclamation, kTitreDisque, obstacle.texte,
                                 {autreNom, QStringLiteral("Recharger"), QStringLiteral("Écraser")})) {
        case 0:
            return IssueEcriture::AutreNom;
        case 1:
            // The user chose the file's version over the window's.
            Ouvre(nomFichier);
            return IssueEcriture::Abandon;
        case 2:
            break;
        default:
            return IssueEcriture::Abandon;
        }
        break;
    }

    const Status ecrit = [&] {
        BusyPointer sablier;
        return m_document.enregistre(nomFichier);
    }();
    if (!ecrit) {
        // The previous file is intact, and the document stays marked as not saved.
        m_dialogs.message(MessageIcon::Exclamation, kTitreDisque, ecrit.error());
        return IssueEcriture::Abandon;
    }
    montreTitre();
    return IssueEcriture::Ecrit;
}

void Form1::montreTitre()
{
    QString titre = FichierAdresses::TitreFenetre(m_titreFenetre, m_document.reglages().NomFichier);
    if (m_document.lectureSeule())
        titre += QStringLiteral(" (lecture seule)");
    setWindowTitle(titre);
}

void Form1::Ouvrir_Click()
{
    if (!modificationsReglees())
        return;
    const std::optional<QString> choix = m_dialogs.openFile(demandeFichierPlv(
        QStringLiteral("Ouvrir un Fichier d'Adresses"), m_document.reglages().CheminFichier));
    if (!choix || choix->isEmpty())
        return;
    Ouvre(*choix);
}

bool Form1::Ouvre(const QString& nomFichier)
{
    bool lectureSeule = false;
    if (const auto detenteur = VerrouFichier::detenteur(nomFichier)) {
        switch (m_dialogs.choice(
            MessageIcon::Exclamation, kTitreDisque,
            QStringLiteral("Le fichier « %1 » est %2.\r\nOuvert en lecture seule, il ne sera pas remplacé ; "
                           "ouvert quand même, Plivane demandera avant d'écraser ce que l'autre programme "
                           "y aura enregistré.")
                .arg(nomFichier, VerrouFichier::decrit(*detenteur)),
            {QStringLiteral("Lecture seule"), QStringLiteral("Ouvrir quand même")})) {
        case 0:
            lectureSeule = true;
            break;
        case 1:
            break;
        default:
            return false;
        }
    }
    Result<PlvOuverture> ouverture = [&] {
        BusyPointer sablier;
        return FichierAdresses::lit(nomFichier);
    }();
    if (!ouverture) {
        // Nothing of the file is applied: the document on screen stays as it was.
        m_dialogs.message(MessageIcon::Exclamation, kTitreDisque, ouverture.error());
        return false;
    }
    PlvOuverture lue = std::move(ouverture).value();
    const QString avertissement = lue.avertissement;
    {
        BusyPointer sablier;
        m_document.ouvre(std::move(lue), nomFichier, lectureSeule);
        montreDocument();
    }
    if (!avertissement.isEmpty())
        m_dialogs.message(MessageIcon::Exclamation, kTitreDisque, avertissement);
    return true;
}

void Form1::montreDocument()
{
    const DocumentEnveloppe::Chargement programme(m_document);
    const ReglagesModele& r = m_document.reglages();
    // The bars' handlers leave the document alone while it is shown; the format list
    // follows them.
    m_c.BHQte->setValue(r.Quantite);
    m_c.BHL->setValue(int(r.LongueurEnv));
    m_c.BHH->setValue(int(r.HauteurEnv));
    m_c.QuantitePanneau->setText(QString::number(r.Quantite));
    m_c.Lg->setText(TexteNombre(r.LongueurEnv));
    m_c.Ht->setText(TexteNombre(r.HauteurEnv));
    m_c.ExpedG->setText(TexteNombreSigne(r.MargeGaucheExp));
    m_c.ExpedH->setText(TexteNombreSigne(r.MargeHauteExp));
    m_c.EspAdrG->setText(TexteNombreSigne(r.MargeGaucheDest));
    m_c.EspAdrH->setText(TexteNombreSigne(r.MargeBasseDest));
    // The options' handlers would change the document again.
    for (const auto& [paire, index] : {std::pair{m_c.OrientGroupe, r.Orientation},
                                       std::pair{m_c.ReperesCoupeGroupe, r.RepereCoupe ? 0 : 1},
                                       std::pair{m_c.LogoGroupe, r.LogoChoisi ? 0 : 1}}) {
        const QSignalBlocker bloque(paire);
        paire->button(index)->setChecked(true);
    }
    montreImageOrient(r.ImageOrient());
    if (r.LogoChoisi)
        montreVignette(r.Logo);
    montreCadreLogo();

    metTexteCrLf(m_c.Exped, r.TexteExp);
    afficheAdresse(m_document.adresses().entree(m_document.adresses().adresseCourante()));
    m_c.NAdr->setText(QString::number(m_document.adresses().nombre()));
    appliquePolice(m_c.Exped, r.PoliceExp);
    appliquePolice(m_c.Adresse, r.PoliceDest);
    montreTitre();

    DessineModele();
    DessineDest();
    DessineExp();
}

// --- Printing ------------------------------------------------------------------------

bool Form1::ImpressionEnCours() const
{
    return m_impression && m_impression->ImpressionEnCours();
}

DemandeImpression Form1::demandeImpression() const
{
    return DemandeImpression::DepuisDocument(m_document);
}

void Form1::Imprimer_Click()
{
    // The box follows the run at the pace the screen repaints: filling it for each of
    // thousands of envelopes would cost more than printing them. It ends on the last one.
    DemandeImpression demande = demandeImpression();
    ListeAdresses& liste = m_document.adresses();
    QElapsedTimer depuis;
    int montree = -1;
    demande.montreAdresse = [this, &liste, &depuis, &montree](int index) {
        liste.setAdresseCourante(index);
        if (montree >= 0 && depuis.elapsed() < kIntervalleBoiteMs)
            return;
        depuis.start();
        montree = index;
        afficheAdresse(liste.entree(index));
    };
    demande.confirmeSelection = [this](const DemandeImpression& d, const QList<int>& selection) {
        return confirmeEnveloppes(m_imprimante, m_dialogs, d.reglages, d.adresses, selection, d.montreAdresse,
                                  feuilleImprimante(d.reglages), [this](double points) {
                                      // As the font command would: the box and the preview follow.
                                      BlockFont police = m_document.police(DocumentEnveloppe::Bloc::Dest);
                                      police.pointSize = points;
                                      m_document.setPolice(DocumentEnveloppe::Bloc::Dest, police);
                                      appliquePolice(m_c.Adresse, police);
                                      m_document.setModifie(true);
                                      DessineDest();
                                  });
    };
    m_impression->Imprimer(demande);
    // The run's own change of the box, not the user's.
    if (montree >= 0 && liste.adresseCourante() != montree)
        afficheAdresse(liste.entree(liste.adresseCourante()));
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
    m_impression->ReglageImprimante(m_document.reglages());
}

void Form1::Quitter_Click()
{
    m_impression->Quitter();
    close();
}
