// Control ids of the rig's demo dialog, shared by its resource script, its
// code and the self-test that drives it.
#pragma once

#define IDD_RIG_DEMO 100

#define IDC_NAME 1001            // same id as a combo box's inner edit
#define IDC_NAME_CHANGES 1002
#define IDC_ADDRESS 1003
#define IDC_MODEL 1010
#define IDC_MODEL_STATUS 1011
#define IDC_MODEL_EDITS 1012
#define IDC_DEFAULT 1020
#define IDC_TREE 1030
#define IDC_TREE_CLICK 1031
#define IDC_TREE_SELECTED 1032
#define IDC_ASK 1040
#define IDC_ANSWER 1041
#define IDC_NOTE 1042
#define IDC_LOCKED 1043
#define IDC_EXIT_CODE 1050
#define IDC_EXIT 1051
#define IDC_CHINESE 1060
#define IDC_NOTES 1070
#define IDC_NOTES_CHANGES 1071
