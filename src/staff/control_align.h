#pragma once

// Where a control sits inside its parent. Panels that lay out their children
// themselves leave aligned children where their alignment puts them.
enum TAlign
{
    alNone = 0,
    alTop,
    alBottom,
    alLeft,
    alRight,
    alClient
};

// The dynamic property under which widgets carry their TAlign.
inline constexpr const char* kAlignProperty = "Align";
