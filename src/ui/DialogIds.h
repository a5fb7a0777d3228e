#pragma once
// Resource and control ids of the run's two dialogs; read by the .rc templates and by the code.
// Prefixes: IDT_ label, IDG_ group box, IDO_ option (radio button), IDE_ edit, IDB_ push button,
// IDP_ progress bar.

#define IDD_CONDITIONS 130
#define IDD_PROGRESS 131

#define IDT_BUSINESS_LABEL 1000
#define IDT_BUSINESS_COLON 1001
#define IDT_BUSINESS_NAME 1002
#define IDT_PERIOD_LABEL 1003
#define IDT_PERIOD_COLON 1004
#define IDT_PERIOD 1005
#define IDT_MANUFACTURING_LABEL 1006
#define IDT_MANUFACTURING_COLON 1007
#define IDT_MANUFACTURING 1008
#define IDG_CATEGORY 1009
#define IDO_GENERAL 1010
#define IDO_REAL_ESTATE 1011
#define IDO_GENERAL_REAL_ESTATE 1012
#define IDG_OUTPUT 1013
#define IDE_OUTPUT_PATH 1014
#define IDB_BROWSE 1015
#define IDO_AGRICULTURE 1020
#define IDO_GENERAL_AGRICULTURE 1021
#define IDO_REAL_ESTATE_AGRICULTURE 1022
#define IDO_ALL 1023

#define IDP_MAIN 1018
#define IDP_ACTIVITY 1019
