#pragma once
// The drop-down of envelope formats beside the length and height scroll bars. Choosing a
// format moves the two bars, so their own change handling does all the work, exactly as
// when the user drags them; the drop-down in turn follows the bars, whoever moved them
// (the user, the address file being opened, a format chosen).

#include <QObject>

class QComboBox;
class QScrollBar;

class ChoixFormat : public QObject {
    Q_OBJECT
public:
    // Fills the drop-down and keeps it in step with the bars from now on.
    ChoixFormat(QComboBox& liste, QScrollBar& longueur, QScrollBar& hauteur, QObject* parent = nullptr);

    // The text the drop-down shows for the format at this index of FormatsEnveloppe::tous(),
    // "Personnalisé" for any other index.
    static QString texteEntree(int index);

private:
    void choisit(int index);
    void suitLesBarres();

    QComboBox& m_liste;
    QScrollBar& m_longueur;
    QScrollBar& m_hauteur;
};
