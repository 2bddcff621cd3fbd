#include "LogCategories.h"

Q_LOGGING_CATEGORY(lcLifecycle, "app.pellux.Pellux.lifecycle", QtInfoMsg)
