#include "layout/widgets/EtiquetteConseil.h"

#include "addresses/codespostaux/TableCodesPostaux.h"

#include <QTimer>
#include <algorithm>

namespace {
bool memeVerdict(const VerdictAcheminement& a, const VerdictAcheminement& b)
{
    return a.etat == b.etat && a.ligne == b.ligne && a.message == b.message && a.suggestion == b.suggestion &&
           a.ligneAuDessus == b.ligneAuDessus;
}
} // namespace

EtiquetteConseil::EtiquetteConseil(QWidget* boite, QWidget* parent) : QLabel(parent), m_boite(boite)
{
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    // Grey and small: advice, not an error. The grey is the theme's own muted text, so that
    // it reads on a dark window as on a light one.
    QFont police = font();
    police.setPointSizeF(7.5);
    police.setItalic(true);
    setFont(police);
    setForegroundRole(QPalette::PlaceholderText);
    connect(this, &QLabel::linkActivated, this, &EtiquetteConseil::correctionDemandee);
    hide();
}

bool EtiquetteConseil::tient(const QString& texte) const
{
    const QRect place(0, 0, width(), 100000);
    return fontMetrics().boundingRect(place, Qt::TextWordWrap, texte).height() <= height();
}

void EtiquetteConseil::suit(const QString& texteAdresse)
{
    m_texte = texteAdresse;
    QList<ConseilAdresse::Regle> regles = ConseilAdresse::enfreintes(texteAdresse);
    VerdictAcheminement verdict;
    if (TableCodesPostaux::officielleLue()) {
        verdict = verifieAcheminement(texteAdresse, TableCodesPostaux::officielle());
        // The check names the line to write: the general rule of the last line says less.
        if (verdict.etat != VerdictAcheminement::Etat::NonVerifiee)
            regles.removeAll(ConseilAdresse::Regle::DerniereLigne);
    } else if (!m_lectureDemandee) {
        m_lectureDemandee = true;
        QTimer::singleShot(0, this, [this] {
            TableCodesPostaux::officielle();
            suit(m_texte);
        });
    }
    // std::equal rather than QList's ==, which hands memcmp a null pointer for an empty list.
    if (std::equal(regles.cbegin(), regles.cend(), m_regles.cbegin(), m_regles.cend()) &&
        memeVerdict(verdict, m_verdict))
        return;
    m_regles = regles;
    m_verdict = verdict;
    montre();
}

void EtiquetteConseil::suitNorme(const QStringList& ecarts)
{
    if (ecarts == m_ecarts)
        return;
    m_ecarts = ecarts;
    montre();
}

void EtiquetteConseil::montre()
{
    const QList<ConseilAdresse::Regle>& regles = m_regles;
    const VerdictAcheminement& verdict = m_verdict;
    // The norm first: it is what the red rectangle means, and what would be cut on paper.
    const QString norme = m_ecarts.isEmpty()
                              ? QString()
                              : QStringLiteral("Hors norme : ") + m_ecarts.join(QStringLiteral(" ; ")) + u'.';
    // All the advice when it fits the line's place; else the first rules, the tooltip and
    // the box's description telling the whole of it.
    // A right locality in another spelling is no fault: La Poste's form is only offered.
    const QString forme = verdict.ligneAuDessus.isEmpty()
                              ? QStringLiteral("«\u00A0%1\u00A0»").arg(verdict.suggestion)
                              : QStringLiteral("«\u00A0%1\u00A0» au-dessus de «\u00A0%2\u00A0»")
                                    .arg(verdict.ligneAuDessus, verdict.suggestion);
    const QString acheminement = verdict.aSignaler()            ? verdict.message
                                 : verdict.suggestion.isEmpty() ? QString()
                                                                : QStringLiteral("La Poste écrit ") + forme;
    auto compose = [&](qsizetype premieres) {
        QString texte = ConseilAdresse::conseil(regles, premieres);
        if (!acheminement.isEmpty()) {
            if (texte.isEmpty()) {
                texte =
                    (verdict.aSignaler() ? QStringLiteral("Conseil : ") : QStringLiteral("Suggestion : ")) +
                    acheminement + u'.';
            } else {
                texte.chop(texte.endsWith(u'.') ? 1 : 0);
                texte += QStringLiteral(" ; ") + acheminement + u'.';
            }
        }
        return norme.isEmpty() || texte.isEmpty() ? norme + texte : norme + u' ' + texte;
    };
    const QString complet = compose(-1);
    QString montre = complet;
    for (qsizetype n = regles.size() - 1; n >= 1 && !tient(montre); --n)
        montre = compose(n);

    QString html = montre.toHtmlEscaped();
    // The norm's red, lighter on a dark window.
    if (!norme.isEmpty())
        html.replace(
            0, norme.toHtmlEscaped().size(),
            QStringLiteral("<span style=\"color:%1\">%2</span>")
                .arg(palette().color(backgroundRole()).lightness() < 128 ? u"#ff7070"_qs : u"#c00000"_qs,
                     norme.toHtmlEscaped()));
    QString detail = ConseilAdresse::detail(regles);
    if (!verdict.suggestion.isEmpty()) {
        html += QStringLiteral(" <a href=\"corrige\">Corriger</a>");
        const QString aide =
            QStringLiteral("Écrire %1 en dernière ligne (%2).").arg(forme, raccourciCorrection());
        detail = detail.isEmpty() ? aide : detail + u'\n' + aide;
    }
    setText(html);
    setToolTip(detail);
    setVisible(!complet.isEmpty());
    if (m_boite)
        m_boite->setAccessibleDescription(complet);
}
