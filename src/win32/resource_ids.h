#pragma once
/* Resource identifiers, shared by the resource script and the code (plain C for windres). */

#define IDI_TRAY_QUIT 101
#define IDI_TRAY_CONFIG 102
#define IDI_TRAY_IDENTITY 103
#define IDI_TRAY_PROGRAMS 104
#define IDI_TRAY_PROGRAM 105
#define IDI_IDENTITY32 106
#define IDI_MAIL_IDENTITY 107
#define IDI_MAIL_ACCOUNT 108
#define IDI_MAIL_2 109
#define IDI_MAIL_NEW 110
#define IDI_MAIL_TRAY_OLD 111
#define IDI_OE48 112
#define IDI_ABOUT_UPDATE 113
#define IDI_ABOUT_MAILING_LIST 114
#define IDI_ABOUT_WWW 115
#define IDI_ABOUT_FAQ 116
