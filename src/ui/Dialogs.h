// Message dialogs: the layer's own message form ("TMessageForm") with an
// icon, a text and a row of buttons, captioned in this build's language.
#pragma once

#include <string>

#include "ui/Forms.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn : uint32_t {
  mbYes = 1u << 0,
  mbNo = 1u << 1,
  mbOK = 1u << 2,
  mbCancel = 1u << 3,
  mbAbort = 1u << 4,
  mbRetry = 1u << 5,
  mbIgnore = 1u << 6,
  mbAll = 1u << 7,
  mbNoToAll = 1u << 8,
  mbYesToAll = 1u << 9,
  mbHelp = 1u << 10,
};
using TMsgDlgButtons = uint32_t;
constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;
constexpr TMsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

// The caption of a dialog type ("Confirmation", ...) and of a button ("&Oui", ...).
std::string MsgDlgCaption(TMsgDlgType type);
std::string MsgDlgButtonCaption(TMsgDlgBtn button);

// The dialog form: paints its icon and text; closing it (close box or
// Escape) gives the answer of its cancel button.
class TMessageForm : public TForm {
  QUORVEL_CLASS(TMessageForm, TForm)
public:
  explicit TMessageForm(TComponent* owner);

  const std::string& Message() const { return FMessage; }
  // The answer given when the dialog is closed without a button.
  TModalResult CloseResult() const { return FCloseResult; }

  void WndProc(TMessage& msg) override;

protected:
  void Paint() override;

private:
  friend TMessageForm* CreateMessageDialog(const std::string&, TMsgDlgType, TMsgDlgButtons);
  std::string FMessage;
  LPCSTR FIconId = nullptr;
  TRect FIconRect{};
  TRect FTextRect{};
  TModalResult FCloseResult = mrCancel;
};

// Builds the dialog (hidden, owned by the caller) for msg, type and buttons.
TMessageForm* CreateMessageDialog(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons);
// Shows the dialog modally and returns the answer (mrYes, mrNo, ...).
TModalResult MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                        int helpCtx = 0);
// An information dialog with an OK button, titled with the application title.
void ShowMessage(const std::string& msg);
