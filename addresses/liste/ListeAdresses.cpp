#include "addresses/liste/ListeAdresses.h"

#include <algorithm>
#include <functional>

namespace {
constexpr qsizetype kRunsAvantReset = 64;
}

ListeAdresses::ListeAdresses(QObject* parent) : QAbstractListModel(parent) {}

QStringList ListeAdresses::enOrdre(QStringList entrees)
{
    // Comparing two texts gives the order their keys give, so the order is the list's.
    const CollationFrancaise collation;
    std::stable_sort(entrees.begin(), entrees.end(),
                     [&](const QString& a, const QString& b) { return collation.compare(a, b) < 0; });
    return entrees;
}

int ListeAdresses::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : nombre();
}

QVariant ListeAdresses::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= nombre() || role != Qt::DisplayRole)
        return {};
    return m_textes.at(index.row());
}

QString ListeAdresses::entree(int i) const
{
    return i >= 0 && i < nombre() ? m_textes.at(i) : QString();
}

QStringList ListeAdresses::entrees() const
{
    return m_textes;
}

// The keys are computed once per entry, so placing an entry costs a binary search of
// byte comparisons; the list is never sorted again as a whole.
qsizetype ListeAdresses::placeDe(const ClesDeTri::Cle& cle) const
{
    const auto place = std::upper_bound(
        m_cles.begin(), m_cles.end(), cle,
        [this](const ClesDeTri::Cle& k, const ClesDeTri::Cle& e) { return m_tri.avant(k, e); });
    return place - m_cles.begin();
}

void ListeAdresses::insere(qsizetype row, const QString& texte, ClesDeTri::Cle cle)
{
    m_textes.insert(row, texte);
    m_cles.insert(row, cle);
}

int ListeAdresses::ajoute(const QString& entree)
{
    const ClesDeTri::Cle cle = m_tri.cle(entree);
    const int row = int(placeDe(cle));
    beginInsertRows({}, row, row);
    insere(row, entree, cle);
    if (m_adresseCourante >= row)
        ++m_adresseCourante;
    endInsertRows();
    return row;
}

void ListeAdresses::ajouteToutes(const QStringList& entrees)
{
    if (entrees.isEmpty())
        return;
    // The new entries in sorted order, equal ones in the order given; each goes before
    // the first present entry that sorts after it, so a run of new entries with the same
    // place goes in as one block.
    QList<ClesDeTri::Cle> cles;
    const QList<qsizetype> ordre = ordreTrie(entrees, cles);
    QList<qsizetype> places(ordre.size());
    for (qsizetype k = 0; k < ordre.size(); ++k)
        places[k] = placeDe(cles.at(ordre.at(k)));
    qsizetype runs = 0;
    for (qsizetype k = 0; k < places.size(); ++k)
        runs += k == 0 || places.at(k) != places.at(k - 1);

    int courante = m_adresseCourante;
    if (courante >= 0)
        courante += int(std::upper_bound(places.begin(), places.end(), qsizetype(courante)) - places.begin());

    if (runs > kRunsAvantReset) {
        beginResetModel();
        QStringList textes;
        QList<ClesDeTri::Cle> nouvellesCles;
        textes.reserve(nombre() + entrees.size());
        nouvellesCles.reserve(nombre() + entrees.size());
        qsizetype k = 0;
        for (qsizetype i = 0; i <= nombre(); ++i) {
            for (; k < places.size() && places.at(k) == i; ++k) {
                textes.append(entrees.at(ordre.at(k)));
                nouvellesCles.append(cles.at(ordre.at(k)));
            }
            if (i < nombre()) {
                textes.append(std::move(m_textes[i]));
                nouvellesCles.append(m_cles.at(i));
            }
        }
        m_textes = std::move(textes);
        m_cles = std::move(nouvellesCles);
        m_adresseCourante = courante;
        endResetModel();
        return;
    }

    // Few blocks: each goes in with its own signal, so views keep their selection.
    qsizetype dejaInseres = 0;
    for (qsizetype k = 0; k < places.size();) {
        qsizetype fin = k;
        while (fin < places.size() && places.at(fin) == places.at(k))
            ++fin;
        const int row = int(places.at(k) + dejaInseres);
        const qsizetype n = fin - k;
        beginInsertRows({}, row, int(row + n - 1));
        for (qsizetype j = 0; j < n; ++j)
            insere(row + j, entrees.at(ordre.at(k + j)), cles.at(ordre.at(k + j)));
        if (m_adresseCourante >= row)
            m_adresseCourante += int(n);
        endInsertRows();
        dejaInseres += n;
        k = fin;
    }
    Q_ASSERT(m_adresseCourante == courante);
}

int ListeAdresses::remplaceCourante(const QString& entree)
{
    if (m_adresseCourante < 0)
        return -1;
    retire({m_adresseCourante});
    const int row = ajoute(entree);
    m_adresseCourante = row;
    return row;
}

void ListeAdresses::retire(QList<int> indices)
{
    std::sort(indices.begin(), indices.end(), std::greater<int>());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    indices.removeIf([this](int i) { return i < 0 || i >= nombre(); });

    // Views pay for each removal signal in proportion to everything they track, so a
    // selection scattered over many runs goes in one reset, the list compacted in one pass.
    qsizetype runs = 0;
    for (qsizetype k = 0; k < indices.size(); ++k)
        runs += k == 0 || indices.at(k) != indices.at(k - 1) - 1;
    if (runs > kRunsAvantReset) {
        beginResetModel();
        retireEnBloc(indices);
        m_tri.compacteSiUtile(m_cles);
        endResetModel();
        return;
    }

    // From the bottom up, one contiguous run at a time: removing a run leaves the indices
    // of the runs still to come unchanged.
    for (qsizetype k = 0; k < indices.size();) {
        const int last = indices.at(k);
        int first = last;
        while (++k < indices.size() && indices.at(k) == first - 1)
            first = indices.at(k);

        const int n = last - first + 1;
        beginRemoveRows({}, first, last);
        m_textes.remove(first, n);
        for (int i = first; i <= last; ++i)
            m_tri.oublie(m_cles.at(i));
        m_cles.remove(first, n);
        if (m_adresseCourante > last)
            m_adresseCourante -= n;
        else if (m_adresseCourante >= first)
            m_adresseCourante = -1;
        endRemoveRows();
    }
    m_tri.compacteSiUtile(m_cles);
}

void ListeAdresses::retireEnBloc(const QList<int>& indicesDecroissants)
{
    QList<bool> retire(nombre(), false);
    for (int i : indicesDecroissants) {
        retire[i] = true;
        m_tri.oublie(m_cles.at(i));
    }
    qsizetype garde = 0;
    int courante = -1;
    for (qsizetype i = 0; i < nombre(); ++i) {
        if (retire.at(i))
            continue;
        if (i == m_adresseCourante)
            courante = int(garde);
        if (garde != i) {
            m_textes[garde] = std::move(m_textes[i]);
            m_cles[garde] = m_cles.at(i);
        }
        ++garde;
    }
    m_textes.resize(garde);
    m_cles.erase(m_cles.begin() + garde, m_cles.end());
    m_adresseCourante = courante;
}

void ListeAdresses::vide()
{
    beginResetModel();
    m_textes.clear();
    m_cles.clear();
    m_tri.vide();
    m_adresseCourante = -1;
    endResetModel();
}

QList<qsizetype> ListeAdresses::ordreTrie(const QStringList& entrees, QList<ClesDeTri::Cle>& cles)
{
    cles.reserve(entrees.size());
    qsizetype caracteres = 0;
    for (const QString& texte : entrees)
        caracteres += texte.size();
    m_tri.reservePour(caracteres, entrees.size());
    for (const QString& texte : entrees)
        cles.append(m_tri.cle(texte));
    return m_tri.ordre(cles);
}

void ListeAdresses::remplit(QStringList&& entrees)
{
    // One stable sort of the keys, never an insertion per entry: a file in another order
    // than the list's (from a script, another program, a hand edit) opens as fast as a
    // sorted one. Equal entries keep the file's order, as adding them one by one does.
    m_tri.vide();
    QList<ClesDeTri::Cle> cles;
    const QList<qsizetype> ordre = ordreTrie(entrees, cles);

    beginResetModel();
    m_textes.clear();
    m_cles.clear();
    m_textes.reserve(entrees.size());
    m_cles.reserve(entrees.size());
    for (qsizetype i : ordre) {
        m_textes.append(std::move(entrees[i]));
        m_cles.append(cles.at(i));
    }
    m_adresseCourante = nombre() - 1;
    endResetModel();
}

void ListeAdresses::setAdresseCourante(int index)
{
    m_adresseCourante = index >= 0 && index < nombre() ? index : -1;
}
