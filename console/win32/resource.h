// Ids of the console window's controls, menu and resources, shared by
// Vantrel.rc, the window code and the end-to-end tests.
#pragma once

#define IDI_VANTREL 100
#define IDR_PMENU 200
#define IDM_DELETE1 201
#define IDM_EXPORT 202
#define IDM_IMPORT 203

#define IDC_DEVTREE 1001
#define IDC_GROUPBOX1 1002
#define IDC_LBL_DEVNAME 1003
#define IDC_EDTDEVNAME 1004
#define IDC_LBL_LNAME 1005
#define IDC_EDTLNAME 1006
#define IDC_LBL_CONN 1007
#define IDC_CBCONN 1008
#define IDC_PAGECONTROL1 1009
#define IDC_LBL_COM 1010
#define IDC_CBBCOM 1011
#define IDC_LBL_BAUDRATE 1012
#define IDC_CBBAUDRATE 1013
#define IDC_LBL_IP 1014
#define IDC_EDTIP 1015
#define IDC_LBL_PORT 1016
#define IDC_EDTPORT 1017
#define IDC_LBL_USBDEV 1018
#define IDC_CBUSBDEV 1019
#define IDC_BTNTEST 1020
#define IDC_BTNSAVE 1021
