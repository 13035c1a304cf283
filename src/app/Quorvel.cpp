// The program block: the application, its main window and the sponsor window.
#include <windows.h>

#include "app/ad.h"
#include "app/scan.h"

// Creates the two windows, runs until the main window closes, then frees
// the windows (and the gradient's timer thread) before the process ends.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application->Initialize();
  Application->SetTitle("Quorvel ");
  Application->CreateForm(Form1);
  Application->CreateForm(Form2);
  Application->Run();
  Application->DestroyComponents();
  return 0;
}
