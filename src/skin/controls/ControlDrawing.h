// The drawing helpers that control skinners share: a skin element composed
// in the scratch bitmap over the face colour and copied to the window, the
// frames of picture strips, button glyphs, and the background brush a
// control's parent gives it.
#pragma once

#include <windows.h>

#include "ui/Graphics.h"

class TDataSkinObject;
class TSkinControl;

// Frame Frame of FrameCount side by side in Element's picture, drawn with its
// margins at Rect's size into ScratchBitmap (at 0, 0) over the face colour;
// magenta pixels stay face-coloured when Trans is 1.
void DrawSkinImage(TSkinControl& Skinner, const TRect& Rect, TDataSkinObject& Element, int Trans,
                   int FrameCount, int Frame);
// ScratchBitmap drawn on DC at Rect's top-left (the skinner's canvas takes DC).
void CopyToWindow(TSkinControl& Skinner, HDC DC, const TRect& Rect);
// Frame Frame of FrameCount side by side in Bitmap, stretched to Rect with
// magenta transparent: onto Target; onto DC through the skinner's canvas
// (which keeps DC); onto DC with the canvas's previous DC put back.
void DrawStripFrame(TSkinControl& Skinner, TCanvas& Target, const TRect& Rect, int FrameCount,
                    int Frame, TBitmap& Bitmap);
void DrawStripFrameOn(TSkinControl& Skinner, HDC DC, const TRect& Rect, int FrameCount, int Frame,
                      TBitmap& Bitmap);
void DrawStripFrameKeeping(TSkinControl& Skinner, HDC DC, const TRect& Rect, int FrameCount,
                           int Frame, TBitmap& Bitmap);
// Cell Index of a button glyph with NumGlyphs cells side by side, drawn at
// Rect's top-left with its bottom-left pixel's colour transparent.
void DrawGlyph(TSkinControl& Skinner, TCanvas& Canvas, const TRect& Rect, int NumGlyphs, int Index,
               TBitmap& Glyph);
// Font takes the window's font (WM_GETFONT), or the GUI font when the
// window has none of its own.
void UseWindowFont(TFont& Font, HWND Wnd);
// The brush a control fills its background with, as its parent answers the
// control's colour message (the static one when disabled or, for an edit,
// read-only); the system's window or face brush when the parent gives none.
HBRUSH ControlBackgroundBrush(HWND Wnd, HDC DC, bool IsEdit);
