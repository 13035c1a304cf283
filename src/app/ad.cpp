// The sponsor window.
#include "app/ad.h"

#include "ui/Published.h"

TForm2* Form2 = nullptr;
const char* const SponsorAddress = "http://www.fernhollow.example/";
TShellExecuteProc ShellExecuteProc = ShellExecuteA;

QUORVEL_DEFINE_CLASS(TForm2) {
  p.Field("Button1", &TForm2::Button1);
  p.Field("Image1", &TForm2::Image1);
  p.Method("Button1Click", &TForm2::Button1Click);
  p.Method("Image1Click", &TForm2::Image1Click);
}

// Loads the stored definition; the window stays hidden.
TForm2::TForm2(TComponent* owner) : TForm(owner) { LoadDefinition(); }

// Hides the window.
void TForm2::Button1Click(TObject*) { Close(); }

// Starts the browser with the sponsor's address; the result is not examined.
void TForm2::Image1Click(TObject*) {
  ShellExecuteProc(Handle(), "OPEN", "iexplore.exe", SponsorAddress, "", SW_SHOWNORMAL);
}
