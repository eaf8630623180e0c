#pragma once
// A progress dialog with a cancel button, shown while a long job runs. It opens when
// Dialogs::progress() makes it and closes when it is destroyed.

#include <QString>

class Progress {
public:
    virtual ~Progress() = default;

    // Shows `text` and `done` steps of the total; false once the user has asked to stop.
    // The user's answer is only ever seen here, so a job that asks before each step stops
    // after the step under way when the user pressed "Annuler".
    virtual bool advance(int done, const QString& text) = 0;
};
