// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

/* Resource ids shared by the program and frostlane.rc. */
#pragma once

#define IDI_APPLICATION_ICON 1
#define IDI_ICON_IMAGE_16 30001
#define IDI_ICON_IMAGE_32 30002
#define IDI_ICON_IMAGE_48 30003
#define IDC_BLANK_POINTER 101

/* The program's messages. Each language's table (in texts/) holds all of them;
   they lie in one block of sixteen ids (16-31), so the languages of that block
   are the languages the program speaks. %1, %2 stand for the parts the program
   fills in, as the English pattern in the code has them. */
#define IDS_NO_SETTINGS 16
#define IDS_INSTALL_QUESTION 17
#define IDS_INSTALLED 18
#define IDS_INSTALL_FAILED 19
#define IDS_NO_WINDOWS_FOLDER 20
#define IDS_OUTSIDE_WINDOWS_FOLDER 21
