// The keys a window passes on to the scope as if they were pressed over it: the display keys
// F1 to F3, the centring keys F5 and F6 and the arrows, and, depending on the window, the
// layout keys F7 and F8 or the route key R.
#pragma once

#include <Qt>

namespace zaz {

enum class ScopeKeySet { WithLayouts, WithRoute };

inline bool IsScopeKey(int key, ScopeKeySet set)
{
    switch (key) {
    case Qt::Key_F1:
    case Qt::Key_F2:
    case Qt::Key_F3:
    case Qt::Key_F5:
    case Qt::Key_F6:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    case Qt::Key_F7:
    case Qt::Key_F8:
        return set == ScopeKeySet::WithLayouts;
    case Qt::Key_R:
        return set == ScopeKeySet::WithRoute;
    default:
        return false;
    }
}

} // namespace zaz
