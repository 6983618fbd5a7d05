// The host canvas colour: four floats on a 0 to 255 scale.
#pragma once

struct LinearColor {
    float R;
    float G;
    float B;
    float A;
};
