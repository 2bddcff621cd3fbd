#include "BlurRadius.h"

#include <algorithm>
#include <limits>

int blurRadiusForWindow(double radius)
{
    if (!(radius >= 1.0))
        return 0;
    return static_cast<int>(std::min(radius, static_cast<double>(std::numeric_limits<int>::max())));
}
