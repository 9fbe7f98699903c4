#include "host/SystemColors.h"

const SystemColors& SystemColors::classic() {
    static const SystemColors table({
        MakeRgb(212, 208, 200), MakeRgb(58, 110, 165),  MakeRgb(10, 36, 106),   MakeRgb(128, 128, 128),
        MakeRgb(212, 208, 200), MakeRgb(255, 255, 255), MakeRgb(0, 0, 0),       MakeRgb(0, 0, 0),
        MakeRgb(0, 0, 0),       MakeRgb(255, 255, 255), MakeRgb(212, 208, 200), MakeRgb(212, 208, 200),
        MakeRgb(128, 128, 128), MakeRgb(10, 36, 106),   MakeRgb(255, 255, 255), MakeRgb(212, 208, 200),
        MakeRgb(128, 128, 128), MakeRgb(128, 128, 128), MakeRgb(0, 0, 0),       MakeRgb(212, 208, 200),
        MakeRgb(255, 255, 255), MakeRgb(64, 64, 64),    MakeRgb(212, 208, 200), MakeRgb(0, 0, 0),
        MakeRgb(255, 255, 225), MakeRgb(0, 0, 0),       MakeRgb(0, 0, 128),     MakeRgb(166, 202, 240),
        MakeRgb(192, 192, 192), MakeRgb(10, 36, 106),   MakeRgb(212, 208, 200),
    });
    return table;
}
