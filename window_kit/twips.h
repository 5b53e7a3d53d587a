#pragma once

// Positions and sizes of every window are given in twips (1/1440 inch);
// 15 twips make one pixel at 96 dots per inch.

constexpr int px(int twips)
{
    return twips / 15;
}
