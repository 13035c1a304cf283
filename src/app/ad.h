// The sponsor window: one picture that opens the sponsor's page, and a
// button that hides the window.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

class TForm2 : public TForm {
  QUORVEL_CLASS(TForm2, TForm)
public:
  explicit TForm2(TComponent* owner);

  TButton* Button1 = nullptr;
  TImage* Image1 = nullptr;

  // Hides the sponsor window; the application goes on.
  void Button1Click(TObject* Sender);
  // Opens the sponsor's page in the web browser.
  void Image1Click(TObject* Sender);
};

extern TForm2* Form2;

// The sponsor's web address, handed to the browser.
extern const char* const SponsorAddress;
// The shell call that starts the browser; tests replace it.
using TShellExecuteProc = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
extern TShellExecuteProc ShellExecuteProc;
