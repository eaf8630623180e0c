#include "layout/widgets/CompletionCodePostal.h"

#include "addresses/codespostaux/TableCodesPostaux.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStringListModel>
#include <QTextBlock>

CompletionCodePostal::CompletionCodePostal(QPlainTextEdit* boite)
    : QObject(boite), m_boite(boite), m_completer(new QCompleter(this)), m_lignes(new QStringListModel(this))
{
    m_completer->setModel(m_lignes);
    m_completer->setWidget(boite);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setCompletionMode(QCompleter::PopupCompletion);
    m_completer->popup()->setAccessibleName(QStringLiteral("Localités du code postal"));
    // Ahead of the completer's own filter: it would hand Return to the box first, which
    // would break the line instead of completing it.
    m_completer->popup()->installEventFilter(this);
    connect(m_completer, qOverload<const QString&>(&QCompleter::activated), this,
            &CompletionCodePostal::complete);
    connect(boite, &QPlainTextEdit::textChanged, this, &CompletionCodePostal::propose);
}

void CompletionCodePostal::propose()
{
    QAbstractItemView* popup = m_completer->popup();
    // Only the user's typing: text the program puts in the box offers nothing.
    if (!m_boite->hasFocus() || !TableCodesPostaux::officielleLue()) {
        popup->hide();
        return;
    }
    const QTextCursor curseur = m_boite->textCursor();
    const QString ligne = curseur.block().text();
    const bool codeEnTete =
        ligne.size() >= 5 && curseur.positionInBlock() == ligne.size() &&
        std::all_of(ligne.begin(), ligne.begin() + 5, [](QChar c) { return c.isDigit(); }) &&
        (ligne.size() == 5 || ligne[5] == u' ');
    if (!codeEnTete) {
        popup->hide();
        return;
    }
    const QString code = ligne.first(5);
    if (code != m_code) {
        m_code = code;
        QStringList lignes;
        for (const TableCodesPostaux::Localite& l : TableCodesPostaux::officielle().duCode(code)) {
            const QString proposee = code + u' ' + l.acheminement;
            if (!lignes.contains(proposee))
                lignes.append(proposee);
        }
        m_lignes->setStringList(lignes);
    }
    m_completer->setCompletionPrefix(ligne);
    // Nothing to offer once the line is one of the proposals.
    if (m_completer->completionCount() == 0 ||
        (m_completer->completionCount() == 1 && m_completer->currentCompletion() == ligne)) {
        popup->hide();
        return;
    }
    popup->setCurrentIndex(m_completer->completionModel()->index(0, 0));
    QRect place = m_boite->cursorRect();
    place.setWidth(popup->sizeHintForColumn(0) + popup->verticalScrollBar()->sizeHint().width());
    m_completer->complete(place);
}

void CompletionCodePostal::complete(const QString& proposee)
{
    QTextCursor curseur = m_boite->textCursor();
    curseur.movePosition(QTextCursor::StartOfBlock);
    curseur.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    curseur.insertText(proposee);
    m_boite->setTextCursor(curseur);
}

bool CompletionCodePostal::eventFilter(QObject* watched, QEvent* event)
{
    QAbstractItemView* popup = m_completer->popup();
    if (watched == popup && event->type() == QEvent::KeyPress && popup->isVisible()) {
        const int touche = static_cast<QKeyEvent*>(event)->key();
        if (touche == Qt::Key_Return || touche == Qt::Key_Enter || touche == Qt::Key_Tab) {
            const QModelIndex choisie = popup->currentIndex();
            popup->hide();
            if (choisie.isValid())
                complete(choisie.data().toString());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
