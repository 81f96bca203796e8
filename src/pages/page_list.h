#pragma once
// The declaration of each settings page (page_declaration.h), one function per page.
#include "pages/page_declaration.h"

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

PageDeclaration TxTacPage();
PageDeclaration TxOpPage();
PageDeclaration TxStartTonePage();
PageDeclaration TxPriorityPage();
PageDeclaration TxMicPage();
PageDeclaration RxNotifyPage();
PageDeclaration RxNotifyTonePage();
PageDeclaration RxEndTonePage();
PageDeclaration RxTalkBackPage();
PageDeclaration RxMsgTonePage();
PageDeclaration RxSettingPage();
PageDeclaration OptionKeyPage();
PageDeclaration ToneRadioPage();
PageDeclaration ToneKeyPage();
PageDeclaration SecurityPassPage();

PageDeclaration SetModePage();
PageDeclaration WlanPage();
PageDeclaration CertPage();
