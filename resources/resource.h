// Resource and control identifiers of the launcher. One shared numeric range:
// each screen and dialog keeps its own band, and a test fails on a duplicate.
// Only #define lines here: the resource compiler reads this file too.
#pragma once

// ---- Dialog templates (177-309) -------------------------------------------
#define IDD_VIDEO_SETTINGS 177
#define IDD_AUDIO_SETTINGS 178
#define IDD_INPUT_SETTINGS 179
#define IDD_DRIVER_GUIDE 284
#define IDD_DRIVER_CHECK 289
#define IDD_FILE_ERROR 292
#define IDD_HOW_TO_PLAY 293
#define IDD_CARD_REPORT 307
#define IDD_MOMENTARY 308
#define IDD_DRIVER_INSTALLED 309

// ---- Icon groups (283-310) -------------------------------------------------
#define IDI_PROGRAM 283
#define IDI_DRIVER_NOTICE 287
#define IDI_FILE_ERROR 290
#define IDI_DRIVER_INSTALLED 310

// ---- Menu screens (500-501) -------------------------------------------------
#define SCREEN_MAIN_MENU 500
#define SCREEN_OPTIONS_MENU 501

// ---- Main-menu buttons (502-505) --------------------------------------------
#define BTN_START_GAME 502
#define BTN_NETWORK_GAME 503
#define BTN_OPTION 504
#define BTN_QUIT 505

// ---- Options-menu buttons (506-510) -----------------------------------------
#define BTN_SETUP_INPUT 506
#define BTN_AUDIO_CALIBRATION 507
#define BTN_VIDEO_CALIBRATION 508
#define BTN_HOW_TO_PLAY 509
#define BTN_CLOSE_OPTIONS 510

// ---- Menu commands (511-519; 512 is never issued) ---------------------------
#define CMD_START_GAME 511
#define CMD_OPTIONS_MENU 513
#define CMD_HOME_PAGE 514
#define CMD_INPUT_SETTINGS 515
#define CMD_AUDIO_SETTINGS 516
#define CMD_VIDEO_SETTINGS 517
#define CMD_HOW_TO_PLAY 518
#define CMD_MAIN_MENU 519

// ---- Face states (520-522) --------------------------------------------------
#define FACE_HOVER 520
#define FACE_PRESSED 521
#define FACE_NORMAL 522

// ---- Picture-dialog buttons (523-532) ---------------------------------------
#define BTN_INPUT_DONE 523
#define BTN_INPUT_RESET 524
#define BTN_INPUT_CANCEL 525
#define BTN_JOYSTICK_1 526
#define BTN_JOYSTICK_2 527
#define BTN_AUDIO_DONE 528
#define BTN_AUDIO_DEFAULT 529
// The video dialog and the how-to-play viewer number their buttons alike
// (530 and 531 in both); every other value here is unique.
#define BTN_VIDEO_DONE 530
#define BTN_VIDEO_DEFAULT 531
#define BTN_PREVIOUS_PAGE 530
#define BTN_NEXT_PAGE 531
#define BTN_HOW_TO_PLAY_CLOSE 532

// ---- Button faces (189-306) -------------------------------------------------
// Each button has three bitmaps in a row: n pressed, n + 1 normal, n + 2 hover.
// The code relies on that order; only n is named.
#define IDB_START_GAME 189
#define IDB_NETWORK_GAME 192
#define IDB_OPTION 195
#define IDB_QUIT 198
#define IDB_SETUP_INPUT 201
#define IDB_AUDIO_CALIBRATION 204
#define IDB_VIDEO_CALIBRATION 207
#define IDB_HOW_TO_PLAY 210
#define IDB_AUDIO_DEFAULT 222
#define IDB_AUDIO_DONE 225
#define IDB_VIDEO_DEFAULT 228
#define IDB_VIDEO_DONE 231
#define IDB_INPUT_DONE 239
#define IDB_INPUT_RESET 242
#define IDB_INPUT_CANCEL 245
#define IDB_JOYSTICK_1 248
#define IDB_JOYSTICK_2 251
#define IDB_CLOSE_OPTIONS 295
#define IDB_HOW_TO_PLAY_CLOSE 298
#define IDB_PREVIOUS_PAGE 301
#define IDB_NEXT_PAGE 304

// ---- Video dialog controls (1029-1031) --------------------------------------
#define IDC_CALIBRATION_BAR 1029
#define IDC_DRIVER_LIST 1030
#define IDC_MODE_LIST 1031

// ---- Input dialog key boxes (1035-1046) -------------------------------------
// A box's identifier minus the first one is its binding slot (0 to 11); the
// code relies on the twelve being consecutive.
#define IDC_FIRST_KEY_BOX 1035
#define IDC_LAST_KEY_BOX 1046

// ---- Audio dialog controls (1032-1033) --------------------------------------
// The bar's identifier minus the first one selects the level: 0 music, 1 sound.
#define IDC_MUSIC_BAR 1032
#define IDC_SOUND_BAR 1033

// ---- Driver guide dialog controls (1055-1064) -------------------------------
#define IDC_GUIDE_ICON 1055
#define IDC_GUIDE_DOWNLOAD 1060
#define IDC_GUIDE_LOCATION 1061
#define IDC_GUIDE_PLEASE 1062
#define IDC_GUIDE_CANCEL 1064

// ---- Driver check dialog controls (1066-1067) -------------------------------
#define IDC_START_WITH_CURRENT_DRIVER 1066
#define IDC_START_AFTER_SETTING_DRIVER 1067

// ---- File-error dialog controls (1068-1070) ------------------------------
// The after-game report's OK button is 1068 too.
#define IDC_FILE_ERROR_OK 1068
#define IDC_FILE_ERROR_PATH 1069
#define IDC_FILE_ERROR_TEXT 1070

// ---- After-game report controls (1068, 1072) ------------------------------
#define IDC_REPORT_OK 1068
#define IDC_REPORT_TEXT 1072

// ---- Driver-installed dialog controls (1073-1075) ----------------------------
#define IDC_INSTALLED_ADVICE 1073
#define IDC_INSTALLED_OK 1074
#define IDC_INSTALLED_ICON 1075
