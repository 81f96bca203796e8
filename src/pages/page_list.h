#pragma once
// The declaration of each settings page (page_declaration.h), one function per page.
#include "pages/page_declaration.h"

PageDeclaration VolumePage();
