#include "kitchen/button_sizes.h"

namespace pw::kitchen {

int ButtonHeight(int panelHeight, int count)
{
    if (count <= 0)
        return 0;
    const int quotient = panelHeight / count;
    const int twiceRest = 2 * (panelHeight % count);
    if (twiceRest > count || (twiceRest == count && quotient % 2 != 0))
        return quotient + 1;
    return quotient;
}

} // namespace pw::kitchen
