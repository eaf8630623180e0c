#include "app/window/Form1.h"

Form1::Form1(Dialogs& dialogs, QWidget* parent) : QMainWindow(parent), m_dialogs(dialogs)
{
    setWindowTitle(QStringLiteral("Plivane - Version 2.1"));
}
