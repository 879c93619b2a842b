#pragma once

#include "map/IntPoint.h"

#include <cstdio>
#include <string>

// The map text of a box brush with the given corners, every face "t".
inline std::string BoxBrushText(IntPoint lo, IntPoint hi) {
    char text[1024];
    std::snprintf(text, sizeof text,
                  "{\n( %d 0 1 ) ( %d -1 0 ) ( %d 0 0 ) t 0 0 0 1 1\n"
                  "( %d 0 1 ) ( %d 1 0 ) ( %d 0 0 ) t 0 0 0 1 1\n"
                  "( 0 %d 1 ) ( 1 %d 0 ) ( 0 %d 0 ) t 0 0 0 1 1\n"
                  "( 0 %d 1 ) ( -1 %d 0 ) ( 0 %d 0 ) t 0 0 0 1 1\n"
                  "( 0 1 %d ) ( -1 0 %d ) ( 0 0 %d ) t 0 0 0 1 1\n"
                  "( 0 1 %d ) ( 1 0 %d ) ( 0 0 %d ) t 0 0 0 1 1\n}\n",
                  lo.x, lo.x, lo.x, hi.x, hi.x, hi.x, lo.y, lo.y, lo.y, hi.y, hi.y, hi.y, lo.z,
                  lo.z, lo.z, hi.z, hi.z, hi.z);
    return text;
}
