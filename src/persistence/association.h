// The association of .bd5 files with the program (ProgID "Horomap" among
// the classes of the user, HKEY_CURRENT_USER\Software\Classes, which
// HKEY_CLASSES_ROOT shows) and the uninstall of the settings.
//
// Entries (default values, REG_SZ):
//   Horomap\shell               "open"
//   Horomap\shell\open          "&Open"
//   Horomap\shell\open\command  <folder>\Horomap %1
//   Horomap\DefaultIcon         <folder>\Horomap.exe,1
//   .bd5                        "Horomap"
// where <folder> is the folder of the program file.
#pragma once

#include "persistence/settings.h"

// Registry key holding the command line of the association.
extern const char kAssocCommandKey[];  // "Horomap\shell\open\command"
// Text after the folder in the registered command line.
extern const char kAssocCommandTail[];  // "Horomap %1"

// Modes of SetFileAssociation.
enum : int {
  kAssocRegister = 1,     // register (first start, after a migration)
  kAssocUninstall = 0,    // delete Horom.sii and remove, reporting each step
  kAssocRemoveQuiet = -1, // remove silently (before registering anew)
};

// Summands of the error code of SetFileAssociation; the failures of one call
// add up.
enum : int {
  kAssocErrorIcon = 2,           // register: DefaultIcon cannot be created
  kAssocErrorExtension = 4,      // register: .bd5 cannot be created
  kAssocErrorCommandKey = 100,   // remove: the command key cannot be opened
  kAssocErrorCommandValue = 200, // remove: its value cannot be deleted
  kAssocErrorIconKey = 400,      // remove: DefaultIcon cannot be opened
  kAssocErrorKeys = 800,         // remove: a key cannot be deleted
};

// SetFileAssociation: registers (mode 1) or removes (modes 0 and -1) the
// association.  Registering shows the title page "    自動設定中 ..." for
// 3000 ms and resets a record without its magic word.  Failures add up in
// an error code (kAssocError...), shown as "error = %.8f" in the
// "CheckValue" box; mode -1 shows nothing.
// Returns 1 when the error code is 0, else 0.
int SetFileAssociation(SystemIniInf* pSii, int iMode);

// ReregisterFileAssociation: the silent sequence of every load in mode 1:
// deletes the values and keys of the association and creates them anew for
// this program's folder.  Results are not checked.
void ReregisterFileAssociation();

// AssociationCommandLine / AssociationIconPath: the registered texts for
// this program's folder.
void AssociationCommandLine(char* szOut, unsigned cbOut);
void AssociationIconPath(char* szOut, unsigned cbOut);

// The uninstaller's entry: "Horomap.exe /uninstall" removes what the program
// wrote outside its birth-data files, without a window or a box.
extern const char kQuietUninstallArgument[];  // "/uninstall"

// IsQuietUninstallArgument: whether the command line is that argument (case
// ignored, blanks around it allowed).
bool IsQuietUninstallArgument(const char* szCommandLine);

// QuietUninstall: deletes Horom.sii beside the program and removes the
// association silently (mode -1) when it names this program's folder; an
// association that names another copy of the program is left to that copy,
// whose settings it leads to.  Birth-data files are kept.
// Returns 1 when no Horom.sii is left and the association does not name
// this folder, else 0.
int QuietUninstall();

// UninstallCommand (command 30099): asks "アンインストール" (Yes/No/Cancel)
// and then, with Cancel as the default button, warns that .bd5 files stay
// but no longer open by double-click; on OK deletes the settings file and
// the association (mode 0) and clears szSiiPath.  Returns 1 when it was
// done: the caller marks the settings as not to be saved and closes the
// program.  Returns 0 when the user declined.
int UninstallCommand(SystemIniInf* pSii);
