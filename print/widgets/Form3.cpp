#include "print/widgets/Form3.h"

#include "platform/Units.h"

#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <algorithm>

namespace {
int px(double twips)
{
    return qRound(units::toLogicalPixels(Twips(twips)));
}
QRect rectTwips(double left, double top, double width, double height)
{
    return {px(left), px(top), px(width), px(height)};
}
constexpr double kLargeur = 9480; // the address list window's width: Form3 stands over it
constexpr double kHauteur = 5085;
constexpr double kSousLeHautDeLaFenetre = 330;
} // namespace

Form3::Form3(QWidget* fenetrePrincipale)
    : QDialog(fenetrePrincipale,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Choix des Adresses à imprimer"));
    setModal(true);
    setFixedSize(px(kLargeur), px(kHauteur));

    m_entrees = new QStringListModel(this);
    m_liste = new QListView(this);
    m_liste->setObjectName(QStringLiteral("List2"));
    m_liste->setModel(m_entrees);
    m_liste->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_liste->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One line each, as the address list window shows them: no entry is measured alone.
    m_liste->setUniformItemSizes(true);
    m_liste->setGeometry(rectTwips(90, 30, 9285, 4380));
    // A fixed light grey gets fixed black text: a dark theme's light text would vanish.
    QPalette gris = m_liste->palette();
    gris.setColor(QPalette::Base, QColor(224, 224, 224));
    gris.setColor(QPalette::Text, Qt::black);
    m_liste->setPalette(gris);

    m_imprTout = new QPushButton(QStringLiteral("Imprimer Tout..."), this);
    m_imprTout->setObjectName(QStringLiteral("ImprTout"));
    m_imprTout->setGeometry(rectTwips(1800, 4560, 2025, 465));
    m_imprSelect = new QPushButton(QStringLiteral("Imprimer la Sélection..."), this);
    m_imprSelect->setObjectName(QStringLiteral("ImprSelect"));
    m_imprSelect->setGeometry(rectTwips(3990, 4560, 2685, 465));
    m_annuler = new QPushButton(QStringLiteral("Annuler"), this);
    m_annuler->setObjectName(QStringLiteral("Annuler"));
    m_annuler->setGeometry(rectTwips(8220, 4560, 1215, 465));
    for (QPushButton* b : {m_imprTout, m_imprSelect, m_annuler})
        b->setAutoDefault(false);

    connect(m_imprTout, &QPushButton::clicked, this, &Form3::imprimeTout);
    connect(m_imprSelect, &QPushButton::clicked, this, &Form3::imprimeSelection);
    connect(m_annuler, &QPushButton::clicked, this, &Form3::reject);

    // Placed once, at its creation: centred over the main window, just below its top.
    if (fenetrePrincipale) {
        const QRect principale = fenetrePrincipale->frameGeometry();
        move(principale.left() + (principale.width() - px(kLargeur)) / 2,
             principale.top() + px(kSousLeHautDeLaFenetre));
    }
}

std::optional<QList<int>> Form3::choisit(const QStringList& adresses)
{
    // The list's own entries, shared rather than copied.
    m_entrees->setStringList(adresses);
    m_impressionAnnulee = true;
    exec();
    if (m_impressionAnnulee)
        return std::nullopt;
    return selection();
}

QList<int> Form3::selection() const
{
    // From the selection's ranges: a whole list selected is one range, not a row-by-row walk.
    QList<int> rangs;
    for (const QItemSelectionRange& plage : m_liste->selectionModel()->selection())
        for (int i = plage.top(); i <= plage.bottom(); ++i)
            rangs.append(i);
    std::sort(rangs.begin(), rangs.end());
    rangs.erase(std::unique(rangs.begin(), rangs.end()), rangs.end());
    return rangs;
}

void Form3::showEvent(QShowEvent* event)
{
    // Each showing starts from the list as it is now, with nothing selected. The first
    // entry holds the focus mark, so "Imprimer Tout..." works without a click first.
    m_liste->clearSelection();
    if (m_entrees->rowCount() > 0)
        m_liste->selectionModel()->setCurrentIndex(m_entrees->index(0), QItemSelectionModel::NoUpdate);
    m_liste->scrollToTop();
    m_liste->setFocus();
    QDialog::showEvent(event);
}

bool Form3::aUneEntreeCourante() const
{
    return m_entrees->rowCount() > 0 && m_liste->currentIndex().isValid();
}

void Form3::imprimeTout()
{
    if (!aUneEntreeCourante())
        return;
    m_liste->selectAll();
    m_impressionAnnulee = false;
    hide();
}

void Form3::imprimeSelection()
{
    if (!aUneEntreeCourante())
        return;
    m_impressionAnnulee = false;
    hide();
}

void Form3::reject()
{
    m_impressionAnnulee = true;
    hide();
}
