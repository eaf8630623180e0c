#include "addresses/liste/FiltreAdresses.h"

#include "addresses/liste/EncodageAdresse.h"

#include <QLocale>
#include <algorithm>
#include <array>

namespace {

// The folded form of every code below U+0250 (Latin-1 and Latin Extended A and B, which
// hold every letter of French and of the neighbouring languages), made once from Qt's own
// decompositions. Folding a character is then one look-up, not a normalisation.
constexpr char16_t kFinTable = 0x0250;

const std::array<QString, kFinTable>& tablePliage()
{
    static const std::array<QString, kFinTable> table = [] {
        std::array<QString, kFinTable> t;
        for (char16_t c = 0; c < kFinTable; ++c) {
            const QString decompose = QString(QChar(c)).normalized(QString::NormalizationForm_KD);
            QString plie;
            for (QChar d : decompose) {
                if (d.category() != QChar::Mark_NonSpacing)
                    plie += d.toCaseFolded();
            }
            t[c] = plie;
        }
        t[u'Œ'] = t[u'œ'] = QStringLiteral("oe");
        t[u'Æ'] = t[u'æ'] = QStringLiteral("ae");
        t[u'ß'] = QStringLiteral("ss");
        t[kSeparateurLignes.unicode()] = QStringLiteral(" ");
        return t;
    }();
    return table;
}

QString nombre(int n)
{
    return QLocale(QLocale::French, QLocale::France).toString(n);
}

} // namespace

QString CleRecherche(const QString& texte)
{
    const auto& table = tablePliage();
    QString cle;
    cle.reserve(texte.size());
    for (QChar c : texte) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            cle += QChar(u >= u'A' && u <= u'Z' ? u + 32 : u);
        else if (u < kFinTable)
            cle += table[u];
        else if (u == 0x2019 || u == 0x2018 || u == 0x02BC || u == 0x2032) // ’ ‘ ʼ ′, as people type '
            cle += u'\'';
        else if (u == 0x201C || u == 0x201D || u == 0x201E) // “ ” „, as people type "
            cle += u'"';
        else
            cle += c.toCaseFolded();
    }
    return cle;
}

QString TexteCompte(int affichees, int total, int selectionnees)
{
    const QString choisies =
        selectionnees > 1 ? QStringLiteral("%1 sélectionnées") : QStringLiteral("%1 sélectionnée");
    if (affichees == total) {
        const QString adresses = total > 1 ? QStringLiteral("%1 adresses") : QStringLiteral("%1 adresse");
        return adresses.arg(nombre(total)) + QStringLiteral(", ") + choisies.arg(nombre(selectionnees));
    }
    const QString montrees = affichees > 1 ? QStringLiteral("%1 adresses affichées sur %2")
                                           : QStringLiteral("%1 adresse affichée sur %2");
    return montrees.arg(nombre(affichees), nombre(total)) + QStringLiteral(", ") +
           choisies.arg(nombre(selectionnees));
}

FiltreAdresses::FiltreAdresses(QObject* parent) : QSortFilterProxyModel(parent)
{
    // The list keeps its own order; the window never sorts.
    setDynamicSortFilter(false);
}

// These connections come before the base class's own, so that the keys of new rows are
// there when it asks whether to show them.
void FiltreAdresses::setSourceModel(QAbstractItemModel* source)
{
    if (sourceModel())
        disconnect(sourceModel(), nullptr, this, nullptr);
    m_cles.clear();
    m_clesAJour = false;
    if (source) {
        connect(source, &QAbstractItemModel::rowsInserted, this,
                [this](const QModelIndex&, int first, int last) {
                    if (!m_clesAJour)
                        return;
                    QStringList nouvelles;
                    nouvelles.reserve(last - first + 1);
                    for (int row = first; row <= last; ++row)
                        nouvelles.append(cleDe(row));
                    m_cles.insert(first, last - first + 1, QString());
                    std::move(nouvelles.begin(), nouvelles.end(), m_cles.begin() + first);
                });
        connect(source, &QAbstractItemModel::rowsRemoved, this,
                [this](const QModelIndex&, int first, int last) {
                    if (m_clesAJour)
                        m_cles.remove(first, last - first + 1);
                });
        connect(source, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex& haut, const QModelIndex& bas) {
                    if (m_clesAJour) {
                        for (int row = haut.row(); row <= bas.row(); ++row)
                            m_cles[row] = cleDe(row);
                    }
                });
        const auto oublie = [this] {
            m_cles.clear();
            m_clesAJour = false;
        };
        connect(source, &QAbstractItemModel::modelReset, this, oublie);
        connect(source, &QAbstractItemModel::layoutChanged, this, oublie);
        connect(source, &QAbstractItemModel::rowsMoved, this, oublie);
    }
    QSortFilterProxyModel::setSourceModel(source);
}

QString FiltreAdresses::cleDe(int sourceRow) const
{
    return CleRecherche(sourceModel()->index(sourceRow, 0).data().toString());
}

void FiltreAdresses::cleAJour() const
{
    if (m_clesAJour || !sourceModel())
        return;
    const int n = sourceModel()->rowCount();
    m_cles.clear();
    m_cles.reserve(n);
    for (int row = 0; row < n; ++row)
        m_cles.append(cleDe(row));
    m_clesAJour = true;
}

QVariant FiltreAdresses::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return QSortFilterProxyModel::data(index, role);
    QString texte = QSortFilterProxyModel::data(index, Qt::DisplayRole).toString();
    // The arrow shows where a line ends; a screen reader hears a pause instead.
    return texte.replace(kSeparateurLignes,
                         role == Qt::DisplayRole ? QStringLiteral(" ⏎ ") : QStringLiteral(", "));
}

void FiltreAdresses::setRecherche(const QString& recherche)
{
    if (recherche == m_recherche)
        return;
    m_recherche = recherche;
    const QStringList mots = CleRecherche(recherche).split(u' ', Qt::SkipEmptyParts);
    if (mots == m_mots)
        return;
    m_mots = mots;
    invalidate();
}

bool FiltreAdresses::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    if (m_mots.isEmpty())
        return true;
    cleAJour();
    const QString& cle = m_cles.at(sourceRow);
    return std::all_of(m_mots.begin(), m_mots.end(), [&](const QString& mot) { return cle.contains(mot); });
}

QList<int> FiltreAdresses::lignesSource(const QList<int>& lignesMontrees) const
{
    QList<int> lignes;
    lignes.reserve(lignesMontrees.size());
    for (int row : lignesMontrees)
        lignes.append(mapToSource(index(row, 0)).row());
    std::sort(lignes.begin(), lignes.end());
    return lignes;
}
