#pragma once
// A day cell of the month grid. Besides its caption it tells assistive technology which
// day it stands for (its accessible name is the full date, since the captions repeat:
// a grid can hold two "1") and whether it is the selected day.

#include <QPushButton>

class BoutonJour : public QPushButton {
    Q_OBJECT
public:
    explicit BoutonJour(QWidget* parent = nullptr);

    bool choisi() const { return m_choisi; }
    // The red cell: announced as selected, and the change is signalled to screen readers.
    void setChoisi(bool choisi);

private:
    bool m_choisi = false;
};
