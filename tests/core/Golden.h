#pragma once
// Kept for tests/gui until it includes tests/support directly.
#include "tests/support/Golden.h"
#include "tests/support/FakeClocks.h"
