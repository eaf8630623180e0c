// The mapping step of an import: one drop-down list per column the program could not
// name, and the first addresses redrawn as the user changes them.
#include "addresses/widgets/ColumnMappingDialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
class ColumnMappingDialog : public QDialog {
public:
    ColumnMappingDialog(const ColumnMappingRequest& request, QWidget* parent)
        : QDialog(parent), m_request(request)
    {
        setWindowTitle(request.title);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(
            QStringLiteral("Le programme ne reconnaît pas les titres de ces colonnes. Choisissez ce que "
                           "chacune contient, ou laissez-la de côté :"),
            this));
        auto* colonnes = new QWidget(this);
        auto* formulaire = new QFormLayout(colonnes);
        for (qsizetype i = 0; i < request.headers.size(); ++i) {
            auto* choix = new QComboBox(colonnes);
            choix->addItems(request.choices);
            choix->setCurrentIndex(request.initial.value(i, 0));
            choix->setAccessibleName(request.headers[i]);
            connect(choix, &QComboBox::currentIndexChanged, this, &ColumnMappingDialog::apercu);
            formulaire->addRow(
                request.headers[i].isEmpty() ? QStringLiteral("(sans titre)") : request.headers[i], choix);
            m_choix << choix;
        }
        auto* defilement = new QScrollArea(this);
        defilement->setWidget(colonnes);
        defilement->setWidgetResizable(true);
        layout->addWidget(defilement, 1);
        layout->addWidget(
            new QLabel(QStringLiteral("Les premières adresses, telles qu'elles seront listées :"), this));
        m_apercu = new QPlainTextEdit(this);
        m_apercu->setReadOnly(true);
        m_apercu->setAccessibleName(QStringLiteral("Aperçu des adresses"));
        layout->addWidget(m_apercu, 1);
        auto* boutons = new QDialogButtonBox(this);
        boutons->addButton(QStringLiteral("Importer"), QDialogButtonBox::AcceptRole);
        boutons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
        connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        layout->addWidget(boutons);
        resize(560, 520);
        apercu();
    }

    QList<int> choix() const
    {
        QList<int> resultat;
        for (const QComboBox* c : m_choix)
            resultat << c->currentIndex();
        return resultat;
    }

private:
    void apercu()
    {
        if (m_request.preview)
            m_apercu->setPlainText(m_request.preview(choix()).join(u'\n'));
    }

    ColumnMappingRequest m_request;
    QList<QComboBox*> m_choix;
    QPlainTextEdit* m_apercu = nullptr;
};
} // namespace

std::optional<QList<int>> askColumnMapping(const ColumnMappingRequest& request, QWidget* parent)
{
    ColumnMappingDialog dialogue(request, parent);
    if (dialogue.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialogue.choix();
}
