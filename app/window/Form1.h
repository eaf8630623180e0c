#pragma once
#include <QMainWindow>

class Dialogs;

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(Dialogs& dialogs, QWidget* parent = nullptr);
private:
    Dialogs& m_dialogs;
};
