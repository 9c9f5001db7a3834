#pragma once
// The pages the main window hosts: the composing page, and the editing page behind its
// interface (an empty placeholder until the editing page is built).
#include "authoring/gui/composing/composing_page.h"
#include "authoring/gui/editing_page_base.h"
#include "authoring/gui/placeholder_pages.h"
