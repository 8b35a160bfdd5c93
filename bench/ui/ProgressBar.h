#pragma once
// Kept for includers not yet moved to widgets/.
#include "widgets/ProgressBar.h"
