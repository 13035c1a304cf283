// Message dialogs.
#include "ui/Dialogs.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "ui/Published.h"
#include "ui/StdCtrls.h"

namespace {

constexpr int kMargin = 8;
constexpr int kSpacing = 10;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 6;
constexpr int kIconSize = 32;

struct ButtonInfo {
  TMsgDlgBtn Button;
  const char* Name;
  TModalResult Result;
};

// Every button in the order it appears.
const ButtonInfo kButtons[] = {
    {mbYes, "Yes", mrYes},
    {mbNo, "No", mrNo},
    {mbOK, "OK", mrOk},
    {mbCancel, "Cancel", mrCancel},
    {mbAbort, "Abort", mrAbort},
    {mbRetry, "Retry", mrRetry},
    {mbIgnore, "Ignore", mrIgnore},
    {mbAll, "All", mrAll},
    {mbNoToAll, "NoToAll", mrNoToAll},
    {mbYesToAll, "YesToAll", mrYesToAll},
    {mbHelp, "Help", mrNone},
};

// The system icon of a dialog type, or null.
LPCSTR IconOf(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return IDI_EXCLAMATION;
    case mtError: return IDI_HAND;
    case mtInformation: return IDI_ASTERISK;
    case mtConfirmation: return IDI_QUESTION;
    default: return nullptr;
  }
}

}  // namespace

// The dialog captions of this build.
std::string MsgDlgCaption(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return "Avertissement";
    case mtError: return "Erreur";
    case mtInformation: return "Information";
    case mtConfirmation: return "Confirmation";
    default: return Application->Title();
  }
}

// The button captions of this build.
std::string MsgDlgButtonCaption(TMsgDlgBtn button) {
  switch (button) {
    case mbYes: return "&Oui";
    case mbNo: return "&Non";
    case mbOK: return "OK";
    case mbCancel: return "Annuler";
    case mbAbort: return "&Abandonner";
    case mbRetry: return "&R\xE9\x65ssayer";
    case mbIgnore: return "&Ignorer";
    case mbAll: return "&Tous";
    case mbNoToAll: return "N&on \xE0 tout";
    case mbYesToAll: return "Oui \xE0 &tout";
    case mbHelp: return "&Aide";
  }
  return std::string();
}

// ---------------------------------------------------------------------------

QUORVEL_DEFINE_CLASS(TMessageForm) {}

// A dialog-framed form placed at the screen centre.
TMessageForm::TMessageForm(TComponent* owner) : TForm(owner) {
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
}

// The close box answers like the cancel button.
void TMessageForm::WndProc(TMessage& msg) {
  if (msg.Msg == WM_CLOSE && IsModal()) {
    SetModalResult(FCloseResult);
    msg.Result = 0;
    return;
  }
  TForm::WndProc(msg);
}

// The icon and the text.
void TMessageForm::Paint() {
  HDC dc = Canvas()->Handle();
  if (FIconId)
    DrawIconEx(dc, FIconRect.left, FIconRect.top, LoadIconA(nullptr, FIconId), kIconSize, kIconSize,
               0, nullptr, DI_NORMAL);
  TSelectObjectGuard font(dc, Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Font().Color()));
  RECT r = FTextRect;
  DrawTextA(dc, FMessage.c_str(), static_cast<int>(FMessage.size()), &r,
            DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_LEFT);
}

// Measures the text, places icon, text and buttons, and sets the captions.
TMessageForm* CreateMessageDialog(const std::string& msg, TMsgDlgType type,
                                  TMsgDlgButtons buttons) {
  auto form = std::make_unique<TMessageForm>(nullptr);
  form->FMessage = msg;
  form->FIconId = IconOf(type);
  form->SetCaption(MsgDlgCaption(type));
  if (buttons == 0) buttons = mbOK;

  // Text size, wrapped at half the screen width.
  RECT text{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  {
    TMemoryDC dc;
    TSelectObjectGuard font(dc, form->Font().Handle());
    DrawTextA(dc, msg.c_str(), static_cast<int>(msg.size()), &text,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_LEFT);
  }
  const int textWidth = text.right - text.left, textHeight = text.bottom - text.top;
  const bool hasIcon = form->FIconId != nullptr;
  const int iconTextWidth = textWidth + (hasIcon ? kIconSize + kSpacing : 0);
  const int iconTextHeight = std::max(textHeight, hasIcon ? kIconSize : 0);

  std::vector<const ButtonInfo*> shown;
  for (const ButtonInfo& b : kButtons)
    if (buttons & b.Button) shown.push_back(&b);
  const int count = static_cast<int>(shown.size());
  const int groupWidth = count * kButtonWidth + (count - 1) * kButtonGap;

  const int clientWidth = std::max(iconTextWidth, groupWidth) + 2 * kMargin;
  const int clientHeight = iconTextHeight + kSpacing + kButtonHeight + 2 * kMargin;
  form->SetClientWidth(clientWidth);
  form->SetClientHeight(clientHeight);
  form->FIconRect = Bounds(kMargin, kMargin, kIconSize, kIconSize);
  const int textLeft = kMargin + (hasIcon ? kIconSize + kSpacing : 0);
  form->FTextRect = Bounds(textLeft, kMargin, textWidth, textHeight);

  const TMsgDlgBtn defaultButton = (buttons & mbOK) ? mbOK : (buttons & mbYes) ? mbYes : mbRetry;
  const TMsgDlgBtn cancelButton = (buttons & mbCancel) ? mbCancel : (buttons & mbNo) ? mbNo : mbOK;
  int x = (clientWidth - groupWidth) / 2;
  const int y = kMargin + iconTextHeight + kSpacing;
  for (int i = 0; i < count; ++i) {
    const ButtonInfo& info = *shown[static_cast<size_t>(i)];
    auto* button = new TButton(form.get());
    button->SetName(info.Name);
    button->SetParent(form.get());
    button->SetCaption(MsgDlgButtonCaption(info.Button));
    button->SetModalResult(info.Result);
    button->SetTabOrder(i);
    button->SetBounds(x, y, kButtonWidth, kButtonHeight);
    if (info.Button == defaultButton) {
      button->SetDefault(true);
      form->SetActiveControl(button);
    }
    if (info.Button == cancelButton) {
      button->SetCancel(true);
      form->FCloseResult = info.Result;
    }
    x += kButtonWidth + kButtonGap;
  }
  return form.release();
}

// Shows the dialog and returns the answer.
TModalResult MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                        int helpCtx) {
  (void)helpCtx;
  std::unique_ptr<TMessageForm> form(CreateMessageDialog(msg, type, buttons));
  return form->ShowModal();
}

// An OK box titled with the application title.
void ShowMessage(const std::string& msg) {
  std::unique_ptr<TMessageForm> form(CreateMessageDialog(msg, mtCustom, mbOK));
  form->ShowModal();
}
