#pragma once
// The address list: every address the user keeps beside the one being edited, as list
// entries, in the order a French reader expects (accents and case do not split
// "Émile" from "Emile" nor "dupont" from "Dupont"). It is the one store of addresses; the
// list window shows it and the address file and the print run read it.
//
// It also knows which entry is the current address, the one last brought back into the
// recipient box, so that replacing it always hits that entry even after others were
// added or removed around it.

#include "addresses/liste/ClesDeTri.h"

#include <QAbstractListModel>
#include <QList>
#include <QString>
#include <QStringList>

class ListeAdresses : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ListeAdresses(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int nombre() const { return int(m_textes.size()); }
    // The entry at index i, or an empty text when there is none.
    QString entree(int i) const;
    QStringList entrees() const;

    // Puts the entry at its sorted place, after any equal entries; returns its index.
    int ajoute(const QString& entree);
    // Puts all these entries at their sorted places in one step, as many ajoute() calls in
    // this order would; the current address stays the same entry.
    void ajouteToutes(const QStringList& entrees);
    // Replaces the current address by this entry, which then becomes the current
    // address at its own sorted place; returns that index. Without a current address
    // nothing changes and -1 is returned.
    int remplaceCourante(const QString& entree);
    // Removes the entries at these indices (in any order; unknown indices are ignored).
    // A selection scattered over many runs resets the model instead of signalling each run.
    void retire(QList<int> indices);
    void vide();
    // Fills the list afresh, each entry at its sorted place; the last entry becomes the
    // current address, as after reading an address file.
    void remplit(const QStringList& entrees) { remplit(QStringList(entrees)); }
    // Moved in, the entries are not touched again: each copy would reach the text of a
    // string in memory, at random once the file is out of order.
    void remplit(QStringList&& entrees);

    // These entries in the list's order, equal ones as given, without the list: a print
    // that reads them once keeps no collation keys, so its memory does not grow with them.
    static QStringList enOrdre(QStringList entrees);

    // Index of the current address, -1 for none.
    int adresseCourante() const { return m_adresseCourante; }
    // An index outside the list means no current address.
    void setAdresseCourante(int index);

private:
    // Where an entry with this key goes: after every entry that does not sort after it.
    qsizetype placeDe(const ClesDeTri::Cle& cle) const;
    // The entries' positions in sorted order, equal ones in the order given; `cles` gets
    // their sort keys, in the order given.
    QList<qsizetype> ordreTrie(const QStringList& entrees, QList<ClesDeTri::Cle>& cles);
    void insere(qsizetype row, const QString& texte, ClesDeTri::Cle cle);
    void retireEnBloc(const QList<int>& indicesDecroissants);

    ClesDeTri m_tri;
    // Side by side, in list order: the entries and their collation keys, computed once.
    QStringList m_textes;
    QList<ClesDeTri::Cle> m_cles;
    int m_adresseCourante = -1;
};
