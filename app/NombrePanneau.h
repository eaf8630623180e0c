#pragma once
// Every numeric setting is shown as text in a panel: these are the two forms a panel
// shows a number in, so that every panel shows them alike.

#include <QString>

// A number as a spin panel shows it: one leading blank for 0 or more ("22" shows " 22"),
// a minus sign otherwise, a period for any decimal part ("10.5").
QString TexteNombreSigne(double valeur);

// A number without the leading blank (the quantity panel, the file format).
QString TexteNombre(double valeur);
