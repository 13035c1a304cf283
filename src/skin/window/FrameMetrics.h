// The sizes of a skinned frame and the rectangles they give, apart from any
// window: the borders and the title taken from the skin's border pictures,
// the menu band below the title, the client area the frame leaves, and the
// pieces the frame is painted in. Built and tested natively.
#pragma once

#include <array>

#include "skin/data/SkinValues.h"

// One window border picture as the metrics need it: its size and the
// number of frames in it (a count below 1 counts as 1).
struct TBorderPicture {
  int Width = 0;
  int Height = 0;
  int FrameCount = 1;
};

// The frame's sizes, in pixels.
struct TFrameMetrics {
  int BorderLeft = 0;
  int TitleHeight = 0;
  int BorderRight = 0;
  int BorderBottom = 0;
  int MenuHeight = 0;  // the skinned menu bar's band below the title; 0 without a bar

  // The client area that a window at (X, Y) of W x H keeps inside the frame.
  TSkinRect ClientRect(int X, int Y, int W, int H) const;
  // The window size around a ClientW x ClientH client area, with MenuLines
  // menu bands.
  void WindowSize(int ClientW, int ClientH, int MenuLines, int& W, int& H) const;
  // Where the client area's origin lies in the window.
  int ClientLeft() const { return BorderLeft; }
  int ClientTop() const { return TitleHeight + MenuHeight; }

  // The pieces of a W x H window: the left and right borders (whole height),
  // the bottom border between them, the title between the side borders and
  // the menu band below the title.
  TSkinRect LeftRect(int W, int H) const;
  TSkinRect RightRect(int W, int H) const;
  TSkinRect BottomRect(int W, int H) const;
  TSkinRect TitleRect(int W) const;
  TSkinRect MenuRect(int W) const;
};

// The metrics of a frame whose borders are Borders[1..4] (Left, Right,
// Top, Bottom): a border's frame is one frame of its picture, across for the
// side borders and down for the top and bottom. A frameless window has no
// frame and no menu band.
TFrameMetrics ComputeFrameMetrics(const std::array<TBorderPicture, 5>& Borders, bool Frameless,
                                  int MenuHeight);

// What a point of the frame is, as the skinned frame answers the hit test:
// the platform's answer Platform (an HT code) for the point (X, Y) of a
// window W pixels wide (window coordinates, as the frame's metrics place
// them). Every point of the menu band is the menu, whatever the platform
// says (it has no menu bar of its own and measures its caption by its own
// metrics); a point of the title that the platform places nowhere still
// moves the window.
int FrameHitTest(const TFrameMetrics& Metrics, int Platform, int X, int Y, int W);
