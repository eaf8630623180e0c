#include "app/ReglagesModele.h"

#include <algorithm>

QFont BlockFont::toQFont() const
{
    QFont f(name);
    f.setPointSizeF(pointSize > 0 ? pointSize : 8.25);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setStrikeOut(false);
    return f;
}

float ReglagesModele::MargeGaucheDestPour(float longueur)
{
    return std::max(longueur - 120.0f, 17.0f);
}
