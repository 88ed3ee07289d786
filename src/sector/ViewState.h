// What part of the world the scope shows and how: centre, scale, the edges of the picture
// computed from them, and the values the drawing of rings and vectors takes.
#pragma once

namespace zaz {

struct ViewState {
    float centreLat = 0;
    float centreLon = 0;
    int range = 100;            // nm
    float scale = 1;            // pixels per nm
    float nmPerDegLat = 60;
    float nmPerDegLon = 60;     // 60 × cos(the sector's reference latitude)
    float topLat = 0;
    float bottomLat = 0;
    float rightLon = 0;
    float leftLon = 0;
    int ringSpacing = 10;       // "eqdist", nm
    float declination = 0;
    int vectorMinutes = 1;      // speed-vector length
};

} // namespace zaz
