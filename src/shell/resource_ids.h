/* Resource and command ids of Horomap.exe, shared by resources/horomap.rc
   and the code.  Plain #defines: the resource compiler reads this file too. */
#ifndef HOROMIRA_RESOURCE_IDS_H
#define HOROMIRA_RESOURCE_IDS_H

/* --- Icons and bitmaps --------------------------------------------------- */
#define IDI_PROGRAM        999   /* class icon */
#define IDI_PROGRAM_SMALL  1000  /* small class icon */
#define IDB_TOOLBAR        1280  /* the toolbar's 25 images, 16 x 16 */
#define IDB_TITLE          5000  /* 32 x 32 title bitmap */
#define IDB_SIGN_FIRST     3101  /* sign glyphs 3101..3112 */
#define IDB_POINT_FIRST    700   /* chart-point glyphs 700..713 */

/* --- Child windows of the main window ------------------------------------ */
#define IDC_STATUSBAR      64
#define IDC_TOOLBAR        1025

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
#define IDM_BACK_FIRST        36000  /* background colours 36000..36005 */
#define IDM_BACK_LAST         36005
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
#define IDM_ORB_FIRST         41003  /* orbs 41003..41010 (3, 4, 5, 6, 8, 10 degrees) */
#define IDM_ORB_LAST          41010
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
#define IDM_ENTER             55555
#define IDM_QUICK_FAIRY       57049  /* quick-menu items 57049..57052 */
#define IDM_QUICK_FORTUNE     57050
#define IDM_QUICK_READING     57051
#define IDM_QUICK_MENU        57052
#define IDM_DEFAULT_PERSON    60001
#define IDM_WIZARD_STEP       65000

#endif
