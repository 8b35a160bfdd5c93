#pragma once
// Kept for tests/gui until it includes the new name.
#include "pages/SystemInfoPage.h"
