// The simulator as the rest of the program sees it: whether its client library is there,
// whether a session is open, its name and its clock.
#pragma once

#include <QString>

namespace zaz {

struct SimState {
    bool libraryLoaded = false;
    bool connected = false;
    QString simulatorName;      // "FSX", "P3D" or empty
    QString zuluTime;           // "Z hh:mm" text of the simulator's clock, while connected
    QString localTime;
};

} // namespace zaz
