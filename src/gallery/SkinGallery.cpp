// The skin gallery program: a window with one control of every kind, under
// a skin that can be switched at run time.
//   SkinGallery [--transparent FILE] [--mdi] [--menu] [--cascade] [SKINFILE...]
// --mdi opens the MDI window as well, in front; --menu opens the View menu
// and its Skin submenu; --cascade opens the MDI window and chooses Window >
// Cascade in it.
#include <windows.h>

#include <cstdlib>

#include "gallery/gallery.h"

// Creates the gallery window, runs until it closes, then frees it.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  GalleryOptions = ParseGalleryOptions(std::vector<std::string>(__argv + 1, __argv + __argc));
  Application->Initialize();
  Application->SetTitle("Skin Gallery");
  Application->CreateForm(GalleryForm);
  if (GalleryOptions.OpenMDI) PostMessageA(GalleryForm->Handle(), kOpenMDIWindowMessage, 0, 0);
  if (GalleryOptions.OpenMenu) PostMessageA(GalleryForm->Handle(), kOpenMenuMessage, 0, 0);
  Application->Run();
  Application->DestroyComponents();
  return 0;
}
