// The program block: the application, its main window and the sponsor window.
#include <windows.h>

#include "app/ad.h"
#include "app/scan.h"

// Creates the two windows and runs until the main window closes.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application->Initialize();
  Application->SetTitle("Quorvel ");
  Application->CreateForm(Form1);
  Application->CreateForm(Form2);
  Application->Run();
  return 0;
}
