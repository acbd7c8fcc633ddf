// Paths of the program's files: Shift-JIS texts, compared, joined and
// classified as the file commands and the settings need them.
#pragma once

#include <cstddef>

// Size of the path fields of the settings record and of every path buffer
// built from them.
constexpr int kPathFieldSize = 275;

// Results of classifying a path by its extension.
enum : int {
  kFileClassOther = 0,
  kFileClassBirthData = 50,  // .bd5
  kFileClassChartData = 51,  // .cd5, not yet used
  kFileClassText = 54,       // .txt, not yet used
};

// StripQuotes: removes one pair of enclosing double quotes when the text both
// starts and ends with one (a lone quote is kept).  Returns szText.
char* StripQuotes(char* szText);

// ClassifyPath: 50 for ".bd5", 51 for ".cd5", 54 for ".txt" (the last four
// characters, case ignored, after removing enclosing quotes), 0 otherwise.
int ClassifyPath(const char* szPath);

// SamePath: compares two Shift-JIS paths without regard to the case of
// single-byte letters (trail bytes of double-byte characters compare
// exactly).  True when equal.
bool SamePath(const char* szA, const char* szB);

// JoinPath: szOut = folder, separator, name (no doubled separator after a
// drive root).  Returns 0 when the result does not fit cbOut, else 1.
int JoinPath(char* szOut, size_t cbOut, const char* szDir, const char* szName);

// DefaultDataFilePath: the current folder followed by "出生ﾃﾞｰﾀ.Bd5".
void DefaultDataFilePath(char* szOut, size_t cbOut);
