#include "FakePanelWindowing.h"
