#pragma once
// The declaration of each settings page (page_declaration.h), one function per page.
#include "pages/page_declaration.h"

// Settings of the unit, address book, messages, presence and functions.
PageDeclaration VolumePage();

// Reception, transmission, tones, keys and security.

// WLAN, certificates and the setting-mode permissions.
PageDeclaration SetModePage();
PageDeclaration WlanPage();
PageDeclaration CertPage();
