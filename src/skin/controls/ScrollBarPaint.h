// Painting one scroll bar from the skin, shared by the scrolling-control
// and scroll-bar-control skinners, and what they read of the platform: its
// scroll-bar sizes and a bar's scroll info.
//
// Skin elements: Scrollbar (23 arrow frames: 1/2 left, 5/6 right, 9/10 up,
// 13/14 down, normal/pressed), HorzScroll and VertScroll (the track, frame 1
// of 4), HorzScrollThumb and VertScrollThumb (frame 1 normal, 2 pressed),
// ScrollbarColour behind the bar. Without a Scrollbar picture every bar is
// left to the platform.
#pragma once

#include <windows.h>

#include "skin/controls/ScrollGeometry.h"
#include "ui/Graphics.h"
#include "ui/Messages.h"

class TSkinControl;
class TSkinModel;

// Whether the skin draws scroll bars at all (a Scrollbar picture exists).
bool SkinHasScrollBars(const TSkinModel* SkinData);
// The platform's arrow length, default thumb and smallest thumb (the
// Windows 9x family draws thumbs down to half an arrow, NT to 8 pixels).
TScrollBarSizes PlatformScrollBarSizes();
// Bar's scroll info of Wnd (range, page, position and track position);
// zeros when the window has none.
SCROLLINFO ReadScrollInfo(HWND Wnd, int Bar);
// The range, page and position of Info.
TScrollRange RangeOf(const SCROLLINFO& Info);

// One bar drawn from the skin onto DC at R (window coordinates): arrows,
// track and, when it fits, the thumb at Metrics' offset. PressedPart tells
// which arrow or thumb shows pressed.
void DrawSkinScrollBar(TSkinControl& Skinner, HDC DC, const TRect& R, bool Horizontal,
                       TScrollPart PressedPart, const TScrollBarMetrics& Metrics);
// The pressed part of a scroll message: Line1, Line2 and Thumb for
// SB_LINEUP, SB_LINEDOWN and SB_THUMBTRACK, none for the other codes
// (pages, SB_THUMBPOSITION, SB_ENDSCROLL).
TScrollPart PressedPartOf(WPARAM WParam, TScrollPart Line1, TScrollPart Line2, TScrollPart Thumb);
// WM_NCMOUSEMOVE over a bar goes no further: the platform would redraw its
// own bar for hot tracking.
bool PassNCMouseMove(const TMessage& Message);
