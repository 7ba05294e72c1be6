#pragma once

// Resource identifiers, shared by the program and its resource script.
#define IDD_HOTKEYS 106
#define IDI_PROGRAM 107
#define IDD_MISC 108
#define IDD_ABOUT 109
#define IDI_TRAY 155
#define IDI_TRAY_CLASSIC 156
#define IDB_ABOUT 153
#define IDB_ABOUT_150 169  // the About picture for 150 % and 200 % displays
#define IDB_ABOUT_200 170
#define IDB_SPLIT_V_16 158
#define IDB_SPLIT_H_16 160
#define IDB_REMOVE_16 161
#define IDB_REMOVE_12 162
#define IDB_SPLIT_H_12 163
#define IDB_SPLIT_V_12 164
#define IDB_LOAD_12 165
#define IDB_SAVE_12 166
#define IDB_LOAD_16 167
#define IDB_SAVE_16 168
// The splitter bars' patterns, loaded by these ids, which are also their BarPattern values.
#define IDB_BAR_ARROW_LEFT 102
#define IDB_BAR_ARROW_RIGHT 103
#define IDB_BAR_ARROW_UP 104
#define IDB_BAR_ARROW_DOWN 105
#define IDB_BAR_HORIZONTAL 150
#define IDB_BAR_VERTICAL 151
