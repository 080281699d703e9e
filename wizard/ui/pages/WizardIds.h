// Resource and control ids of the wizard, shared by Quispor.rc and the code.
// Plain #defines so that the resource compiler reads them too.
#pragma once

#define IDI_QUISPOR 128

#define IDD_MAIN 129
#define IDD_PORTS 201
#define IDD_PORT_USB 202
#define IDD_PORT_ENET 203
#define IDD_PORT_COM 204
#define IDD_PORT_LPT 205
#define IDD_INSTALL_UNINSTALL 207
#define IDD_PORT_LAST 209

// Host
#define IDC_BACK 1002
#define IDC_NEXT 1003

// Ports page
#define IDC_PORT_ENET 1004
#define IDC_PORT_USB 1005
#define IDC_PORT_COM 1006
#define IDC_PORT_LPT 1007
#define IDC_MY_PRINTER_TYPES 1028
#define IDC_DEFAULT_PRINTER 1029
#define IDC_MODEL_LIST 1039

// Port pages
#define IDC_USB_PORT_LIST 1008
#define IDC_IP_ADDRESS 1009
#define IDC_SEARCH_USB 1010
#define IDC_USB_INFO 1012
#define IDC_COM_PORT_LIST 1013
#define IDC_LPT_PORT_LIST 1014
#define IDC_INPUT_IP_ADDR 1015
#define IDC_INPUT_LPT 1016
#define IDC_INPUT_USB 1017
#define IDC_INPUT_COM 1018
#define IDC_TCP_PORT_NUMBER 1032

// Choice page
#define IDC_RADIO_INSTALL 1022
#define IDC_RADIO_UNINSTALL 1023
#define IDC_INSTALL_INFO 1024
#define IDC_UNINSTALL_INFO 1025

// Finish page
#define IDC_FINISH_TEXT 1030
