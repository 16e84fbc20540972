#pragma once

// Inclusive pixel bounds of a clip area as floats: the last column is xmax and
// the last row ymax (a native clip rectangle's right and bottom reduced by 1).
struct CGUIClipBox {
    float xmin = 0.0f;
    float xmax = 0.0f;
    float ymin = 0.0f;
    float ymax = 0.0f;
};
