#pragma once
// Plays the user in the next modal dialog of type D once it is up, then closes it with OK
// or Cancel.
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <type_traits>

template <typename D = QDialog>
void pendantLeDialogue(std::type_identity_t<std::function<void(D&)>> geste, bool accepte = false)
{
    auto* minuterie = new QTimer;
    QObject::connect(minuterie, &QTimer::timeout, minuterie, [=] {
        if (auto* d = qobject_cast<D*>(QApplication::activeModalWidget())) {
            minuterie->deleteLater();
            if (geste)
                geste(*d);
            accepte ? static_cast<QDialog*>(d)->accept() : static_cast<QDialog*>(d)->reject();
        }
    });
    minuterie->start(20);
}
