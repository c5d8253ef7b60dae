/* Resource ids shared by the program and frostlane.rc. */
#pragma once

#define IDI_APPLICATION_ICON 1
#define IDI_ICON_IMAGE_16 30001
#define IDI_ICON_IMAGE_32 30002
#define IDI_ICON_IMAGE_48 30003
#define IDC_BLANK_POINTER 101
