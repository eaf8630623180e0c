#pragma once
// One arrow of a position spin button. An arrow that lowers its value acts only above 0;
// one that raises it acts only below the envelope's length or height. The new value is
// the panel's number plus or minus one, in the form a spin panel shows (" 22").

#include <QString>
#include <optional>

std::optional<QString> FlecheSpin(double reglage, double borne, const QString& panneau, int pas);
