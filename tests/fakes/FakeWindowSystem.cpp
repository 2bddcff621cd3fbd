#include "FakeWindowSystem.h"
