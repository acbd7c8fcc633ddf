// Resource ids of Horomap.exe: the one list shared by the resource script
// (resources/horomap.rc), the program and the Wine tests.
//
// The resource compiler reads no C++, so the ids are plain #defines, one
// per line, grouped by kind and ascending within a group.  Every id is
// written here once and used by its name: the script and the code never
// repeat a number.  New ids go into the group of their kind:
//   IDI_   icons
//   IDB_   bitmaps
//   IDM_   menus and menu commands; a command the engine already takes as
//          a number (the kCmd... constants of chart/, events/ and
//          persistence/) is defined from its IDM_ name once a menu of the
//          script names it
//   IDD_   dialogs with a numeric id (the program's own message boxes are
//          named by their template names instead)
//   IDC_   controls, in a block per dialog
// This header stands on the platform's floor, below every user of it.
#pragma once

// --- Icons ----------------------------------------------------------------
#define IDI_PROGRAM 999         // class icon (48, 32 and 16 pixels)
#define IDI_PROGRAM_SMALL 1000  // its small icon (16 pixels)

// --- Bitmaps --------------------------------------------------------------
// Point glyphs of the chart wheel, 15 x 15, IDB_POINT_SUN + ChartPoint.
#define IDB_POINT_SUN 700
#define IDB_POINT_ASC 701
#define IDB_POINT_MOON 702
#define IDB_POINT_MERCURY 703
#define IDB_POINT_VENUS 704
#define IDB_POINT_MARS 705
#define IDB_POINT_JUPITER 706
#define IDB_POINT_SATURN 707
#define IDB_POINT_URANUS 708
#define IDB_POINT_NEPTUNE 709
#define IDB_POINT_PLUTO 710
#define IDB_POINT_DRAGONH 711
#define IDB_POINT_DRAGONT 712
#define IDB_POINT_MC 713
#define IDB_TOOLBAR 1280  // the toolbar's 25 images of 16 x 16 in one strip
// Sign glyphs of the chart wheel, 15 x 15, IDB_SIGN_ARIES + sign number.
#define IDB_SIGN_ARIES 3101
#define IDB_SIGN_TAURUS 3102
#define IDB_SIGN_GEMINI 3103
#define IDB_SIGN_CANCER 3104
#define IDB_SIGN_LEO 3105
#define IDB_SIGN_VIRGO 3106
#define IDB_SIGN_LIBRA 3107
#define IDB_SIGN_SCORPIO 3108
#define IDB_SIGN_SAGITTARIUS 3109
#define IDB_SIGN_CAPRICORN 3110
#define IDB_SIGN_AQUARIUS 3111
#define IDB_SIGN_PISCES 3112
#define IDB_TITLE 5000  // the 32 x 32 title bitmap of the quick-menu card

// --- Controls ---------------------------------------------------------------
// The quick-menu card's buttons on the main window: item i is
// IDC_QUICKMENU_FIRST + i; the last one closes the card.
#define IDC_QUICKMENU_FIRST 57049
#define IDC_QUICKMENU_CLOSE 57052

// The program's own message boxes ("AppMessageBox", "AppOkCancelDB",
// "AppOkMessageBox"): the heading and the three lines, in this order.
#define IDC_APPBOX_HEADING 256
#define IDC_APPBOX_LINE1 257
#define IDC_APPBOX_LINE2 258
#define IDC_APPBOX_LINE3 259
