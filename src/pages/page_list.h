#pragma once
// The declaration of each settings page (page_declaration.h), one function per page.
#include "pages/page_declaration.h"

// Settings of the unit, address book, messages, presence and functions.
PageDeclaration RadioInfoPage();
PageDeclaration TxCalleePage();
PageDeclaration EmergencyPage();
PageDeclaration GpsPage();
PageDeclaration BluetoothPage();
PageDeclaration RecordPage();
PageDeclaration AddressBookSettingPage();
PageDeclaration AddressBookListPage();
PageDeclaration MessageSettingPage();
PageDeclaration MessageListPage();
PageDeclaration PresenceSettingPage();
PageDeclaration PresenceListPage();
PageDeclaration RemoteMonitorPage();
PageDeclaration SubFunctionPage();
PageDeclaration CommunicationSettingPage();
PageDeclaration NoServicePage();
PageDeclaration DisplayPage();
PageDeclaration VolumePage();

// Reception, transmission, tones, keys and security.

// WLAN, certificates and the setting-mode permissions.
