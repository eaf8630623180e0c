#include "calendar/widgets/BoutonJour.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

// A push button that can be the grid's selected day. The name is the cell's accessible
// name (the full date) and the description its tooltip (a holiday's name), as for any
// widget; only the state and the press action are added to what a plain widget offers.
class AccessibleBoutonJour : public QAccessibleWidget {
public:
    explicit AccessibleBoutonJour(BoutonJour* bouton) : QAccessibleWidget(bouton, QAccessible::Button) {}

    QAccessible::State state() const override
    {
        QAccessible::State etat = QAccessibleWidget::state();
        etat.selectable = true;
        etat.selected = bouton()->choisi();
        etat.pressed = bouton()->isDown();
        return etat;
    }

    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            bouton()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    BoutonJour* bouton() const { return static_cast<BoutonJour*>(widget()); }
};

QAccessibleInterface* fabrique(const QString& classe, QObject* objet)
{
    if (classe == QLatin1String("BoutonJour") && objet && objet->isWidgetType())
        return new AccessibleBoutonJour(static_cast<BoutonJour*>(objet));
    return nullptr;
}

} // namespace

BoutonJour::BoutonJour(QWidget* parent) : QPushButton(parent)
{
    static const bool installee = [] {
        QAccessible::installFactory(fabrique);
        return true;
    }();
    (void)installee;
}

void BoutonJour::setChoisi(bool choisi)
{
    if (choisi == m_choisi)
        return;
    m_choisi = choisi;
    QAccessible::State change;
    change.selected = true;
    QAccessibleStateChangeEvent evenement(this, change);
    QAccessible::updateAccessibility(&evenement);
}
