#pragma once
// The pages the main window hosts.
#include "authoring/gui/composing/composing_page.h"
#include "authoring/gui/editing_page_base.h"
#include "authoring/gui/placeholder_pages.h"
