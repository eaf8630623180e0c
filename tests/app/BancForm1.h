#pragma once
// The main window on a test bench: shown offscreen, with scripted dialogs, the printing
// service the test chooses, and printer shifts kept in a throwaway settings file.
#include "app/window/Form1.h"
#include "layout/widgets/SpinButton.h"
#include "print/CommandeImpression.h"
#include "tests/support/Fichiers.h"
#include "tests/support/RecordingPrinterService.h"
#include "tests/support/ScriptedDialogs.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>
#include <numeric>

template <class Imprimante = RecordingPrinterService, class Dialogues = ScriptedDialogs> struct Banc {
    Dialogues dialogs;
    Imprimante imprimante;
    QTemporaryDir dossier;
    std::unique_ptr<Form1> f = std::make_unique<Form1>(dialogs, imprimante);

    Banc()
    {
        f->impression().decalages().utiliseFichier(dossier.filePath(QStringLiteral("reglages.ini")));
        f->show();
    }
    const ControlesForm1& c() const { return f->controles(); }
    QString texte(const char* panneau) const
    {
        return f->findChild<QLabel*>(QString::fromUtf8(panneau))->text();
    }
    void ajoute(const QString& adresse) const
    {
        c().Adresse->setPlainText(adresse);
        c().Ajouter->click();
    }
    // The selection window answers "Imprimer Tout...".
    void choisitTout()
    {
        f->impression().remplaceChoixAdresses([](const EntreesAdresses& adresses) {
            QList<int> tout(adresses.nombre());
            std::iota(tout.begin(), tout.end(), 0);
            return std::optional<QList<int>>(tout);
        });
    }
};
