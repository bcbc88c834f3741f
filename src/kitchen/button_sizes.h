#pragma once

namespace pw::kitchen {

// The height each of `count` stacked buttons gets in a panel of that height:
// the quotient rounded to the nearest whole pixel, halves to even.
int ButtonHeight(int panelHeight, int count);

} // namespace pw::kitchen
