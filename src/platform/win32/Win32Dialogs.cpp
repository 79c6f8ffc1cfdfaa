#include "platform/win32/Win32Dialogs.h"

#include <windows.h>

#include <vector>

#include "platform/win32/ScreenReaderName.h"
#include "platform/win32/Unexpected.h"

namespace melodex::win32 {
namespace {

// What F1 in the message box currently up should open.
struct HelpRequest {
  const Win32Dialogs::HelpHandler* handler = nullptr;
  std::wstring file;
  unsigned context = 0;
};
thread_local HelpRequest* currentHelp = nullptr;

void CALLBACK OnMessageBoxHelp(LPHELPINFO) {
  HelpRequest* request = currentHelp;
  if (!request || !request->handler || !*request->handler) return;
  try {
    (*request->handler)(request->file, request->context);
  } catch (...) {
    // Help that cannot be shown must not take the message box down with it.
  }
}

// Disables every other window of the program while a modal box is up, as a message box
// with no owner does, and enables them again afterwards. The box's owner is left to the box,
// which disables it while it is up and enables it again before it goes: the system hands the
// activation back to the owner only if it is enabled by then, and else to some other
// program's window.
class ThreadModal {
 public:
  explicit ThreadModal(HWND owner) : owner_(owner) {
    EnumThreadWindows(GetCurrentThreadId(), &ThreadModal::Disable, reinterpret_cast<LPARAM>(this));
  }
  ~ThreadModal() {
    for (const HWND window : disabled_) EnableWindow(window, TRUE);
  }
  ThreadModal(const ThreadModal&) = delete;
  ThreadModal& operator=(const ThreadModal&) = delete;

 private:
  static BOOL CALLBACK Disable(HWND window, LPARAM self) {
    auto& modal = *reinterpret_cast<ThreadModal*>(self);
    if (window != modal.owner_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
      EnableWindow(window, FALSE);
      modal.disabled_.push_back(window);
    }
    return TRUE;
  }
  HWND owner_;
  std::vector<HWND> disabled_;
};

// --- The input box, built as an in-memory dialog template. ---

constexpr WORD kPromptId = 100;
constexpr WORD kEditId = 101;

// Appends the pieces of a DLGTEMPLATEEX / DLGITEMTEMPLATEEX, DWORD-aligned where needed.
class TemplateWriter {
 public:
  void Word(WORD value) { data_.push_back(value); }
  void DWord(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
  }
  void Text(const wchar_t* text) {
    for (; *text; ++text) Word(*text);
    Word(0);
  }
  void AlignToDWord() {
    if (data_.size() % 2) Word(0);
  }
  void Item(DWORD style, short x, short y, short cx, short cy, DWORD id, WORD systemClass,
            const wchar_t* text) {
    AlignToDWord();
    DWord(0);  // help id
    DWord(0);  // extended style
    DWord(style | WS_CHILD | WS_VISIBLE);
    Word(x);
    Word(y);
    Word(cx);
    Word(cy);
    DWord(id);
    Word(0xFFFF);
    Word(systemClass);
    Text(text);
    Word(0);  // no creation data
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(data_.data()); }

 private:
  std::vector<WORD> data_;
};

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

struct InputBoxState {
  const wchar_t* appTitle;
  const std::wstring* prompt;
  const std::wstring* defaultText;
  std::wstring answer;
};

INT_PTR OnInputBoxMessage(HWND dialog, InputBoxState& state, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetDlgItemTextW(dialog, kPromptId, state.prompt->c_str());
      SetDlgItemTextW(dialog, kEditId, state.defaultText->c_str());
      // The prompt labels the field, though buttons stand between them in the window order.
      NameForScreenReaders(GetDlgItem(dialog, kEditId), *state.prompt);
      SendDlgItemMessageW(dialog, kEditId, EM_SETSEL, 0, -1);
      SetForegroundWindow(dialog);
      SetFocus(GetDlgItem(dialog, kEditId));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        const HWND edit = GetDlgItem(dialog, kEditId);
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
        text.resize(GetWindowTextW(edit, text.data(), static_cast<int>(text.size())));
        state.answer = std::move(text);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
  auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (!state) return FALSE;  // a message before WM_INITDIALOG
  // Only memory running out can throw here: nothing in it throws an error of the program's.
  try {
    return OnInputBoxMessage(dialog, *state, message, wParam);
  } catch (...) {
    ReportUnexpected(state->appTitle);
  }
  return FALSE;
}

}  // namespace

MessageAnswer Win32Dialogs::ShowMessage(const MessageBoxRequest& request) {
  UINT style = MB_APPLMODAL | MB_SETFOREGROUND;
  switch (request.buttons) {
    case MessageButtons::Ok:  // MB_OK is no bit of its own: the style as it stands
      break;
    case MessageButtons::OkCancel:
      style |= MB_OKCANCEL;
      break;
    case MessageButtons::AbortRetryIgnore:
      style |= MB_ABORTRETRYIGNORE;
      break;
    case MessageButtons::YesNo:
      style |= MB_YESNO;
      break;
  }
  switch (request.icon) {
    case MessageIcon::None:
      break;
    case MessageIcon::Critical:
      style |= MB_ICONHAND;
      break;
    case MessageIcon::Question:
      style |= MB_ICONQUESTION;
      break;
  }
  if (request.defaultButton == 2) style |= MB_DEFBUTTON2;
  if (request.defaultButton == 3) style |= MB_DEFBUTTON3;

  HelpRequest help{&help_, request.helpFile, request.helpContext};
  MSGBOXPARAMSW params{};
  params.cbSize = sizeof params;
  params.hInstance = GetModuleHandleW(nullptr);
  params.lpszText = request.text.c_str();
  params.lpszCaption = TitleOrDefault(request.title);
  params.dwStyle = style;
  if (!request.helpFile.empty()) {
    params.dwContextHelpId = request.helpContext;
    params.lpfnMsgBoxCallback = &OnMessageBoxHelp;
  }

  // The box belongs to the window the user is in, so that it stays in front of that window.
  // The program's other shown windows are disabled while it is up, as for the input box; a
  // window shown meanwhile (the help window that F1 brings up) stays usable. A task-modal box
  // would disable the hidden windows too, and the help window would come up disabled.
  const HWND active = GetActiveWindow();
  params.hwndOwner = active;

  HelpRequest* outer = currentHelp;
  currentHelp = request.helpFile.empty() ? nullptr : &help;
  int result;
  {
    ThreadModal modal(active);
    result = MessageBoxIndirectW(&params);
  }
  currentHelp = outer;

  switch (result) {
    case IDCANCEL:
      return MessageAnswer::Cancel;
    case IDABORT:
      return MessageAnswer::Abort;
    case IDRETRY:
      return MessageAnswer::Retry;
    case IDIGNORE:
      return MessageAnswer::Ignore;
    case IDYES:
      return MessageAnswer::Yes;
    case IDNO:
      return MessageAnswer::No;
    default:
      return MessageAnswer::Ok;
  }
}

std::wstring Win32Dialogs::InputBox(const std::wstring& prompt, const std::wstring& title,
                                    const std::wstring& defaultText) {
  TemplateWriter writer;
  writer.Word(1);       // dlgVer
  writer.Word(0xFFFF);  // signature: DLGTEMPLATEEX
  writer.DWord(0);      // help id
  writer.DWord(0);      // extended style
  writer.DWord(DS_MODALFRAME | DS_CENTER | DS_SETFONT | DS_SHELLFONT | WS_POPUP | WS_CAPTION |
               WS_SYSMENU);
  writer.Word(4);  // controls
  writer.Word(0);
  writer.Word(0);
  writer.Word(246);
  writer.Word(84);
  writer.Word(0);  // no menu
  writer.Word(0);  // the standard dialog class
  writer.Text(TitleOrDefault(title));
  writer.Word(8);    // point size
  writer.Word(400);  // weight
  writer.Word(0);    // italic, charset
  writer.Text(L"MS Shell Dlg");
  writer.Item(SS_LEFT | SS_NOPREFIX, 7, 7, 170, 48, kPromptId, kStaticClass, L"");
  writer.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 189, 7, 50, 14, IDOK, kButtonClass, L"OK");
  writer.Item(BS_PUSHBUTTON | WS_TABSTOP, 189, 25, 50, 14, IDCANCEL, kButtonClass, L"Cancel");
  writer.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 63, 232, 13, kEditId, kEditClass, L"");

  InputBoxState state{appTitle_.c_str(), &prompt, &defaultText, {}};
  const HWND active = GetActiveWindow();
  INT_PTR result;
  {
    ThreadModal modal(active);
    result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), writer.Get(), active, &InputBoxProc,
                                     reinterpret_cast<LPARAM>(&state));
  }
  return result == IDOK ? state.answer : std::wstring();
}

}  // namespace melodex::win32
