#pragma once
// The controls of the main window, created at their designed places. The design is in
// twips (15 to a logical pixel); Qt scales logical pixels to the screen by itself.

#include <QList>
#include <QRect>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QWidget;
class EtiquetteConseil;
class ToileApercu;
class SpinButton;

// A rectangle of the design, in twips, as the logical pixels a widget takes.
QRect twips(int left, int top, int width, int height);

struct ControlesForm1 {
    // "Format de l'enveloppe" and "Quantité à imprimer"
    QGroupBox* SSFrame1 = nullptr;
    QComboBox* FormatEnveloppe = nullptr; // the usual sizes, or "Personnalisé"
    QLabel* Lg = nullptr;
    QLabel* Ht = nullptr;
    QScrollBar* BHL = nullptr;
    QScrollBar* BHH = nullptr;
    QGroupBox* Panel3D3 = nullptr;
    QLabel* QuantitePanneau = nullptr; // "Quantité"
    QScrollBar* BHQte = nullptr;

    // "Adresse du Destinataire"
    QGroupBox* Frame3D2 = nullptr;
    QPlainTextEdit* Adresse = nullptr;
    EtiquetteConseil* ConseilAdresse = nullptr; // advice on the address's form, under the box
    QLabel* Panel3D6 = nullptr;

    // "Modèle de l'Enveloppe"
    QGroupBox* CadreModele = nullptr;
    ToileApercu* ModeleApercu = nullptr; // "Modèle"
    QFrame* PictDest = nullptr;
    QLabel* EspAdrG = nullptr;
    QLabel* EspAdrH = nullptr;
    SpinButton* SpinLH = nullptr;
    SpinButton* SpinLV = nullptr;
    QFrame* PictExp = nullptr;
    QLabel* ExpedG = nullptr;
    QLabel* ExpedH = nullptr;
    SpinButton* SpinMG = nullptr;
    SpinButton* SpinMV = nullptr;

    // "Expéditeur"
    QGroupBox* SSFrame4 = nullptr;
    QPlainTextEdit* Exped = nullptr;
    QLabel* CadreLogo = nullptr;
    QLabel* ImgLogo = nullptr;
    QRadioButton* Logo[2] = {nullptr, nullptr};
    QButtonGroup* LogoGroupe = nullptr;
    QLabel* Label1 = nullptr;

    // "Orientation Imprim." and "Repères de coupe"
    QGroupBox* SSFrame2 = nullptr;
    QLabel* PlivaneOrient[4] = {nullptr, nullptr, nullptr, nullptr};
    QRadioButton* Orient[2] = {nullptr, nullptr};
    QButtonGroup* OrientGroupe = nullptr;
    QGroupBox* SSFrame5 = nullptr;
    QRadioButton* ReperesCoupe[2] = {nullptr, nullptr};
    QButtonGroup* ReperesCoupeGroupe = nullptr;

    // "Adresses"
    QGroupBox* SSFrame3 = nullptr;
    QLabel* NAdr = nullptr;

    // Commands
    QPushButton* Ajouter = nullptr;
    QPushButton* Modifier = nullptr;
    QPushButton* Serie = nullptr;
    QPushButton* Sauver = nullptr;
    QPushButton* Ouvrir = nullptr;
    QPushButton* Imprimer = nullptr;
    QPushButton* Apercu = nullptr; // "Aperçu...": the pages Imprimer would print
    QPushButton* Polices = nullptr;
    QPushButton* ReglageImprimante = nullptr; // the printer's shift and its calibration page
    QPushButton* Quitter = nullptr;

    // Where the month calendar stands.
    QRect placeCalendrier;

    static ControlesForm1 construit(QWidget* fenetre);

    // The designed size of the window's client area, in twips.
    static constexpr int kLargeur = 13230;
    static constexpr int kHauteur = 7080;
    static constexpr int kLargeurImgLogo0 = 1125;
    static constexpr int kHauteurImgLogo0 = 495;
};
