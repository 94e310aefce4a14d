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

// ---- File-error dialog controls (1068-1070) ------------------------------
#define IDC_FILE_ERROR_OK 1068
#define IDC_FILE_ERROR_PATH 1069
#define IDC_FILE_ERROR_TEXT 1070
