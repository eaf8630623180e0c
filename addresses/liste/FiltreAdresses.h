#pragma once
// What the address list window shows of the list: the entries that hold the words being
// searched for, anywhere in them, with their line breaks made visible. A search ignores
// case and accents, so "dupont" finds "DUPONT" and "emile" finds "Émile"; the stored
// entries are never changed.
//
// Each entry's folded form is kept beside the list, computed once, so that a keystroke
// over a hundred thousand entries compares plain texts and folds nothing but the search.

#include <QSortFilterProxyModel>
#include <QString>
#include <QStringList>

// The text a search compares: lower case, accents and ligatures dropped ("Œ" reads "oe"),
// the line breaks of an entry read as spaces.
QString CleRecherche(const QString& texte);

// The window's count line: "2 000 adresses, 3 sélectionnées" for the whole list,
// "12 adresses affichées sur 2 000, 3 sélectionnées" while a search hides some.
QString TexteCompte(int affichees, int total, int selectionnees);

class FiltreAdresses : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit FiltreAdresses(QObject* parent = nullptr);

    void setSourceModel(QAbstractItemModel* source) override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Each word of the search must be found in an entry, in any order and anywhere in it
    // ("dupont brest"); an empty search (or one of spaces only) shows every entry.
    void setRecherche(const QString& recherche);
    QString recherche() const { return m_recherche; }
    bool filtre() const { return !m_mots.isEmpty(); }

    // The list rows behind these shown rows, in list order.
    QList<int> lignesSource(const QList<int>& lignesMontrees) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    void cleAJour() const;
    QString cleDe(int sourceRow) const;

    QString m_recherche;
    QStringList m_mots;
    // One folded text per source row while m_clesAJour; dropped when the list is filled
    // afresh and made again only once a search needs it, so that bulk changes to an
    // unfiltered list cost nothing here.
    mutable QStringList m_cles;
    mutable bool m_clesAJour = false;
};
