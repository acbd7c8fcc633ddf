// The chart as a picture: 図を印刷 (55001), 図を保存 (55002) and the
// pictures that Ctrl+C (30000) puts on the clipboard beside the text.
// The pictures are drawn by picture_gdi.h; the SVG file is the SVG
// canvas's drawing, as horomira chart --svg writes it.
#pragma once

#include "shell/command_dispatch.h"
#include "shell/picture_gdi.h"

// PictureSourceOf: the chart on view as the main window shows it.
PictureSource PictureSourceOf(const CommandContext& c, GdiResources* pRes);

// 55001: the question of the background, the print dialog, one page.
int PrintPictureCommand(const CommandContext& c);
// 55002: the save dialog (PNG, PNG at twice the size, SVG), the file
// written safely.
int SavePictureCommand(const CommandContext& c);
// The pictures of the clipboard: the metafile and the bitmap of the chart
// on view are put on the open clipboard.  Returns the number put (0..2).
int PutPicturesOnClipboard(const CommandContext& c);
