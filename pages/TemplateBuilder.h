#pragma once
// Kept for includers not yet moved to widgets/.
#include "widgets/AppIcon.h"
#include "widgets/TemplateBuilder.h"
#include "widgets/ValueBox.h"
