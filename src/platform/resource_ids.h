/* Resource and command ids of Horomap.exe: the one list shared by the
   resource script (resources/horomap.rc), the program and the Wine tests.

   The resource compiler reads no C++, so the ids are plain #defines, one per
   line, in the group of their kind.  Every id is written here once and used
   by its name: the script and the code never repeat a number, and a range is
   named by its first id.  New ids go into the group of their kind:
     IDI_  icons                      IDB_  bitmaps
     IDC_  controls and child windows, in a block per dialog or window
     IDM_  menus and menu commands; a command the engine takes as a number
           (the kCmd... constants of chart/, events/ and persistence/) is
           defined from its IDM_ name
   This header stands on the platform's floor, below every user of it. */
#ifndef HOROMIRA_RESOURCE_IDS_H
#define HOROMIRA_RESOURCE_IDS_H

/* --- Icons and bitmaps --------------------------------------------------- */
#define IDI_PROGRAM        999   /* class icon */
#define IDI_PROGRAM_SMALL  1000  /* small class icon */
#define IDB_TOOLBAR        1280  /* the toolbar's 25 images, 16 x 16 */
#define IDB_TITLE          5000  /* 32 x 32 title bitmap */
/* Point glyphs of the chart wheel, 15 x 15, IDB_POINT_FIRST + ChartPoint. */
#define IDB_POINT_SUN      700
#define IDB_POINT_ASC      701
#define IDB_POINT_MOON     702
#define IDB_POINT_MERCURY  703
#define IDB_POINT_VENUS    704
#define IDB_POINT_MARS     705
#define IDB_POINT_JUPITER  706
#define IDB_POINT_SATURN   707
#define IDB_POINT_URANUS   708
#define IDB_POINT_NEPTUNE  709
#define IDB_POINT_PLUTO    710
#define IDB_POINT_DRAGONH  711
#define IDB_POINT_DRAGONT  712
#define IDB_POINT_MC       713
#define IDB_POINT_FIRST    IDB_POINT_SUN
/* Sign glyphs of the chart wheel, 15 x 15, IDB_SIGN_FIRST + sign number. */
#define IDB_SIGN_ARIES        3101
#define IDB_SIGN_TAURUS       3102
#define IDB_SIGN_GEMINI       3103
#define IDB_SIGN_CANCER       3104
#define IDB_SIGN_LEO          3105
#define IDB_SIGN_VIRGO        3106
#define IDB_SIGN_LIBRA        3107
#define IDB_SIGN_SCORPIO      3108
#define IDB_SIGN_SAGITTARIUS  3109
#define IDB_SIGN_CAPRICORN    3110
#define IDB_SIGN_AQUARIUS     3111
#define IDB_SIGN_PISCES       3112
#define IDB_SIGN_FIRST        IDB_SIGN_ARIES

/* --- Child windows of the main window ------------------------------------ */
#define IDC_STATUSBAR      64
#define IDC_TOOLBAR        1025

/* --- Controls of the program's own message boxes ---------------------------- */
/* "AppMessageBox", "AppOkCancelDB", "AppOkMessageBox": the heading and the
   three lines, in this order. */
#define IDC_APPBOX_HEADING 256
#define IDC_APPBOX_LINE1   257
#define IDC_APPBOX_LINE2   258
#define IDC_APPBOX_LINE3   259

/* --- Controls of the auxiliary dialogs ----------------------------------- */
#define IDC_AUX_TITLE      256   /* FairyDB: the hint's title; NoButtonDB: first line */
#define IDC_AUX_TEXT       257   /* FairyDB, HelpDB: the text */
#define IDC_AUX_LINE3      258   /* NoButtonDB: third line */
#define IDC_FAIRY_INDEX    1     /* "さくいん  [ Ｔ ]" */
#define IDC_FAIRY_CLOSE    2     /* "閉じる  [ Ｃ ]" */
#define IDC_POPUP_A        65
#define IDC_POPUP_B        66
#define IDC_POPUP_CLOSE    67
#define IDC_LIST           256   /* HelpListDB: the list box */
#define IDC_LIST_SHOW      1     /* "表 示" / "えらぶ" */
#define IDC_LIST_CLOSE     2     /* "閉じる" */

/* --- Controls of the data-entry dialogs ----------------------------------- */
#define IDC_HELP_BUTTON      9     /* "説明" of most dialogs */
#define IDC_HELP_BUTTON2     503   /* "説明" of VernalDB and EphemerisDB */
/* TimeNameInputDB */
#define IDC_TN_YEAR          2201
#define IDC_TN_MONTH         2202
#define IDC_TN_DAY           2203
#define IDC_TN_HOUR          2204
#define IDC_TN_MINUTE        2205
#define IDC_TN_SECONDS       2206
#define IDC_TN_UNKNOWN_TIME  2207  /* "時間は分からない(&U)" */
#define IDC_TN_SECONDS_GIVEN 2208  /* "秒を指定(&S)" */
#define IDC_TN_NAME          2209
#define IDC_TN_ZONE          2210  /* the clock: 「日本時間」, the zones, a UT offset */
#define IDC_TN_OFFSET        2211  /* "UTC との時差" as ±HH:MM */
#define IDC_TN_SUMMER_TIME   2212  /* "夏時間で記録された時刻(&D)" */
#define IDC_TN_ZONE_NOTICE   2213  /* the notice under the clock */
#define IDC_TN_TIME_GROUP    2214  /* the frame "日本時間（24時間制）" over the date fields */
/* PlaceInputDB */
#define IDC_PLACE_LIST       101
#define IDC_PLACE_TYPED      102   /* "経緯度で指定(&L)" */
#define IDC_PLACE_LONG       103
#define IDC_PLACE_LAT        104
#define IDC_PLACE_DATUM      105   /* "日本測地系（日本地図の経緯度）", always checked and disabled */
/* FromFileDB */
#define IDC_FILED_LIST       12301
/* HarmInputDB */
#define IDC_HARMONIC         3040
/* VernalDB */
#define IDC_SEASON_YEAR      600
#define IDC_SEASON_VERNAL    700   /* radio buttons 700..703: vernal, summer, autumnal, winter */
#define IDC_SEASON_SUMMER    701
#define IDC_SEASON_AUTUMNAL  702
#define IDC_SEASON_WINTER    703
/* EphemerisDB */
#define IDC_EPHEM_LIST       300
#define IDC_EPHEM_SECOND     100
#define IDC_EPHEM_MINUTE     110
#define IDC_EPHEM_HOUR       120
#define IDC_EPHEM_DAY        130
#define IDC_EPHEM_ALIGNED    200   /* "きりのいい時刻(&J)" */
/* SolarReturnDB */
#define IDC_RETURN_LIST      12302
#define IDC_RETURN_NAME      12303
/* WizardDB */
#define IDC_WIZARD_TEXT      257
#define IDC_WIZARD_NEXT      65
#define IDC_WIZARD_BACK      66
#define IDC_WIZARD_STOP      67
/* VersionDB: the five lines 257..261 */
#define IDC_VERSION_OS       257
#define IDC_VERSION_FOLDER   258
#define IDC_VERSION_BUILD    259
#define IDC_VERSION_SPACE    260
#define IDC_VERSION_SPACE2   261
/* NoButtonDB: the three lines 256..258; VuzerazDB: the quotations 256.. */
#define IDC_BOX_LINE1        256
#define IDC_BOX_LINE2        257
#define IDC_BOX_LINE3        258
/* AppMessageBox used as the data confirmation box: "訂正 (&R)" replaces "いいえ" */
#define IDC_CONFIRM_CORRECT  7
/* ZoneConfirmBox, the confirmation box of a time read on another clock:
   the reading as typed with its zone, between the name and the JST line */
#define IDC_CONFIRM_LOCAL    260

/* --- Commands -------------------------------------------------------------- */
/* Time steps: direction (1000 = forward), unit (100 s, 200 min, 300 h,
   400 day), amount 1 or 5. */
#define IDM_STEP_SEC_BACK1    101
#define IDM_STEP_SEC_BACK5    105
#define IDM_STEP_MIN_BACK1    201
#define IDM_STEP_MIN_BACK5    205
#define IDM_STEP_HOUR_BACK1   301
#define IDM_STEP_HOUR_BACK5   305
#define IDM_STEP_DAY_BACK1    401
#define IDM_STEP_DAY_BACK5    405
#define IDM_STEP_SEC_FWD1     1101
#define IDM_STEP_SEC_FWD5     1105
#define IDM_STEP_MIN_FWD1     1201
#define IDM_STEP_MIN_FWD5     1205
#define IDM_STEP_HOUR_FWD1    1301
#define IDM_STEP_HOUR_FWD5    1305
#define IDM_STEP_DAY_FWD1     1401
#define IDM_STEP_DAY_FWD5     1405
#define IDM_ANIMATION_STEP    1210
#define IDM_RESTORE_TIME      2000
#define IDM_ANIMATION         2010
#define IDM_RBUTTON_MENU      2050
#define IDM_HIDDEN_B          3199
#define IDM_FROM_FILE         10000
#define IDM_NEW_DATA          10001
#define IDM_VIEW_CHART        10002
#define IDM_VIEW_DETAIL       10003
#define IDM_VIEW_TIME         10004
#define IDM_VIEW_DOUBLE       10005
#define IDM_ASPECTS           10006
#define IDM_HARMONIC_TB       10007
#define IDM_RETURN_TB         10008
#define IDM_NATAL             10009
#define IDM_PROGRESSED        10010
#define IDM_TRANSIT           10011
#define IDM_FORTUNE           10012
#define IDM_POPUP_LIST        10013
#define IDM_DOUBLE_MODE       10014
#define IDM_SWITCH_DATA       10015
#define IDM_MOMENT            10016
#define IDM_STEP_BACK         10017
#define IDM_STEP_FORWARD      10018
#define IDM_FAIRY             10019
#define IDM_QUICK_MENU_TB     10020
#define IDM_HELP_TB           10021
#define IDM_CTRL_B            12000
#define IDM_CTRL_N            12001
#define IDM_CTRL_P            12002
#define IDM_CTRL_T            12003
#define IDM_EXTENDED          12345
#define IDM_HIDDEN_A          23456
#define IDM_READING           24000
#define IDM_ASPECT_READING    24001
#define IDM_HARMONIC          24005
#define IDM_RETURN            24006
#define IDM_CLIPBOARD         30000
#define IDM_UNINSTALL         30099
#define IDM_OPEN              31770
#define IDM_NEW_FILE          31771
#define IDM_SAVE_AS           31772
#define IDM_SAVE              31773
#define IDM_UNDO              32000
#define IDM_DELETE_ROW        32099
#define IDM_BACK_GREY_GREEN   36000  /* the background colours */
#define IDM_BACK_PALE_BLUE    36001
#define IDM_BACK_DEEP_BLUE    36002
#define IDM_BACK_PINK         36003
#define IDM_BACK_WHITE        36004
#define IDM_BACK_BLACK        36005
#define IDM_BACK_FIRST        IDM_BACK_GREY_GREEN
#define IDM_BACK_LAST         IDM_BACK_BLACK
#define IDM_EXIT_MENU         37298
#define IDM_EXIT              37299
#define IDM_EPHEMERIS         38241
#define IDM_HORARY            38242
#define IDM_SEASON            38243
#define IDM_CTRL_F            38246
#define IDM_INGRESS           38250
#define IDM_SOLAR_TERMS       38251
#define IDM_MOON_SIGNS        38300
#define IDM_MOON_PHASES       38310
#define IDM_ALMANAC           39077
#define IDM_TITLE_PAGE        40208
#define IDM_FAST_START        40209
#define IDM_ORB_3             41003  /* the orbs, degrees */
#define IDM_ORB_4             41004
#define IDM_ORB_5             41005
#define IDM_ORB_6             41006
#define IDM_ORB_8             41008
#define IDM_ORB_10            41010
#define IDM_ORB_FIRST         IDM_ORB_3
#define IDM_ORB_LAST          IDM_ORB_10
#define IDM_HOUSE_EQUAL       44401
#define IDM_HOUSE_PLACIDUS    44402
#define IDM_HOUSE_SUN         44403
#define IDM_HOUSE_ARIES       44404
#define IDM_RECENT_FIRST      45700  /* recent files 45700..45709 */
#define IDM_RECENT_LAST       45709
#define IDM_SUPPORT           50001
#define IDM_QUOTATION         50003
#define IDM_HELP_INDEX        53237
#define IDM_POPUP_PRESS_A     53250
#define IDM_POPUP_CLOSE       53259
#define IDM_VERSION           53290
#define IDM_PRINTING          55000
#define IDM_PRINT_PICTURE     55001  /* 図を印刷: the chart area on a printed page */
#define IDM_SAVE_PICTURE      55002  /* 図を保存: the chart area as a PNG or SVG file */
#define IDM_ENTER             55555
#define IDM_QUICK_FAIRY       57049  /* quick-menu items 57049..57052 */
#define IDM_QUICK_FORTUNE     57050
#define IDM_QUICK_READING     57051
#define IDM_QUICK_MENU        57052
#define IDM_DEFAULT_PERSON    60001
#define IDM_WIZARD_STEP       65000

#endif
