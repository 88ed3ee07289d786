// The small pictures the program draws with: the five map and target icons and the
// three custom pointers.
#pragma once

#include <QCursor>
#include <QImage>
#include <QList>

namespace zaz {

// Index of each icon in the list MapIcons gives.
enum MapIcon : int { kIconVor = 0, kIconNdb = 1, kIconFix = 2, kIconPoint = 3, kIconAircraft = 4 };

// The icons VOR, NDB, FIXE, POINT and AVION in this order. Each is drawn in white on a
// transparent background so it can be tinted with a layer colour.
QList<QImage> MapIcons();

// Pointers 1 to 3: a globe (1, shown while a sector loads), a globe with a cross (2) and a
// globe with an arrow (3). Other numbers give the arrow.
QCursor CustomCursor(int number);

} // namespace zaz
