#include "app/main_form_win.h"

#include <commctrl.h>

#include <cwchar>
#include <exception>

#include "app/app_text.h"
#include "app/face_strip_win.h"
#include "app/message_edit_win.h"
#include "base/text.h"
#include "base/text_win.h"
#include "export/picture_drag_win.h"
#include "export/picture_export_win.h"
#include "messenger/emoticon_store_win.h"
#include "scene/sign_text.h"

namespace plakato {

namespace {

constexpr wchar_t kFormClass[] = L"TForm1";
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
constexpr int kMainIconId = 1;
constexpr int kFigureCommandBase = 5000;  // figure button k has command 5000 + k

HINSTANCE Instance() { return ::GetModuleHandleW(nullptr); }

std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

void RegisterFormClass(HINSTANCE instance, WNDPROC proc) {
  static bool registered = false;
  if (registered) return;
  RegisterControlClasses(instance);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kMainIconId), IMAGE_ICON, 32, 32, 0));
  wc.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kMainIconId), IMAGE_ICON, 16, 16, 0));
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFormClass;
  ::RegisterClassExW(&wc);
  registered = true;
}

LOGFONTW MakeLogFont(const wchar_t* face, int charSet, int requestHeight, bool bold) {
  LOGFONTW lf{};
  lf.lfHeight = requestHeight;
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = static_cast<BYTE>(charSet);
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return lf;
}

SIZE TextExtent(HWND reference, HFONT font, const std::wstring& text) {
  WindowDc dc(reference);
  SelectGuard select(dc.get(), font);
  SIZE size{};
  ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

RECT RectInParent(HWND window) {
  RECT r;
  ::GetWindowRect(window, &r);
  ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// A label is as large as its text; an empty label keeps the size of one space.
void SizeLabel(HWND label, HFONT font, const std::wstring& text) {
  SIZE size = TextExtent(label, font, text.empty() ? L" " : text);
  ::SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

TForm1::TForm1(FormOptions options)
    : options_(std::move(options)), ui_(options_.ui ? *options_.ui : SystemUiHost()),
      controls_(static_cast<size_t>(ControlId::Count), nullptr) {}

TForm1::~TForm1() {
  SetErrorReporter(nullptr);
  if (hwnd_ && ::IsWindow(hwnd_)) {
    options_.quitOnClose = false;
    ::DestroyWindow(hwnd_);
  }
}

void TForm1::Create() {
  HINSTANCE instance = Instance();
  RegisterFormClass(instance, &Proc);
  applicationTitle_ = ApplicationTitle(ProgramPath());
  // Every window of the program shows its errors in this window's error box.
  SetErrorReporter([this](const std::wstring& message) { ShowErrorBox(message); });
  whiteBrush_.reset(::CreateSolidBrush(RGB(255, 255, 255)));

  // The window is made at its final size and centred place, so that showing
  // it moves nothing.
  MeasureWindowFont();
  RECT frame{0, 0, scale_(kFormClientWidth), scale_(kFormClientHeight)};
  ::AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExStyle);
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;
  int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  if (!::CreateWindowExW(kFormExStyle, kFormClass, kFormCaption, kFormStyle, x, y, width, height, nullptr, nullptr,
                         instance, this)) {
    throw AppError(L"Cannot create the main window");
  }
  ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.get()), FALSE);

  // A dialog-framed window offers neither minimise, maximise nor sizing.
  HMENU system = ::GetSystemMenu(hwnd_, FALSE);
  for (UINT command : {SC_MINIMIZE, SC_MAXIMIZE, SC_SIZE, SC_RESTORE}) ::DeleteMenu(system, command, MF_BYCOMMAND);

  CreateControls();
  ACCEL keys[] = {{FCONTROL | FVIRTKEY, 'C', kCopyCommand}, {FCONTROL | FVIRTKEY, 'S', kExportCommand}};
  accelerators_.reset(::CreateAcceleratorTableW(keys, 2));
  RunHandler([this] { FormCreate(); });
}

void TForm1::Show() {
  ::ShowWindow(hwnd_, SW_SHOWNORMAL);
  ::UpdateWindow(hwnd_);
}

// The window font is the designed one, scaled by the display's dpi; when it
// then measures other than 12 pixels the whole layout follows it.
void TForm1::MeasureWindowFont() {
  {
    WindowDc screen(nullptr);
    dpi_ = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
  }
  const FontSpec& design = options_.windowFont ? *options_.windowFont : kWindowFont;
  LOGFONTW lf = MakeLogFont(design.face, design.charSet, FontRequestHeight(design.height, dpi_), design.bold);
  windowFont_.reset(::CreateFontIndirectW(&lf));
  scale_.measured = TextExtent(nullptr, windowFont_.get(), L"0").cy;
  if (scale_.measured <= 0) scale_.measured = kDesignTextHeight;
}

HFONT TForm1::FontFor(const ControlSpec& design) {
  if (!design.font) return windowFont_.get();
  int height = -scale_(design.font->height);
  LOGFONTW lf = MakeLogFont(design.font->face, design.font->charSet, height, design.font->bold);
  ownFonts_.emplace_back(::CreateFontIndirectW(&lf));
  return ownFonts_.back().get();
}

void TForm1::CreateControls() {
  for (const ControlSpec& design : MainFormControls()) controls_[static_cast<size_t>(design.id)] = CreateControl(design);
}

HWND TForm1::CreateControl(const ControlSpec& design) {
  HWND parent = design.parent == ControlId::None ? hwnd_ : Control(design.parent);
  HINSTANCE instance = Instance();
  int id = CommandIdOf(design.id);
  HMENU menuId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  DWORD child = WS_CHILD | WS_VISIBLE | (design.tabStop ? WS_TABSTOP : 0);
  HFONT font = FontFor(design);
  Bounds b = scale_(design.bounds);
  HWND hwnd = nullptr;

  auto create = [&](DWORD exStyle, const wchar_t* cls, DWORD style) {
    return ::CreateWindowExW(exStyle, cls, design.caption, child | style, b.left, b.top, b.width, b.height, parent,
                             menuId, instance, nullptr);
  };

  switch (design.kind) {
    case ControlKind::Panel:
      panels_.push_back(std::make_unique<PanelWindow>(design));
      hwnd = panels_.back()->Create(parent, id, instance);
      if (hwnd) ::MoveWindow(hwnd, b.left, b.top, b.width, b.height, FALSE);
      break;
    case ControlKind::Label: {
      hwnd = create(0, L"STATIC", SS_LEFT | SS_NOPREFIX);
      SizeLabel(hwnd, font, design.caption);
      break;
    }
    case ControlKind::Edit:
      hwnd = create(WS_EX_CLIENTEDGE, L"EDIT", ES_LEFT | ES_AUTOHSCROLL);
      LimitEditToCp936Bytes(hwnd);
      break;
    case ControlKind::CheckBox:
      hwnd = create(0, L"BUTTON", BS_AUTOCHECKBOX);
      break;
    case ControlKind::FlatButton:
      hwnd = create(0, L"BUTTON", BS_PUSHBUTTON | BS_OWNERDRAW);
      MakeFlatButton(hwnd);
      break;
    case ControlKind::PushButton:
      hwnd = create(0, L"BUTTON", BS_PUSHBUTTON);
      break;
    case ControlKind::Image:
      imageView_ = std::make_unique<ImageView>();
      hwnd = imageView_->Create(parent, id, instance, b);
      break;
    case ControlKind::StatusBar:
      hwnd = create(0, STATUSCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER);
      break;
    case ControlKind::CoolBar:
      hwnd = create(WS_EX_CONTROLPARENT, REBARCLASSNAMEW,
                    WS_CLIPCHILDREN | WS_CLIPSIBLINGS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER |
                        RBS_VARHEIGHT);
      ::SendMessageW(hwnd, RB_SETBKCOLOR, 0, static_cast<LPARAM>(::GetSysColor(COLOR_BTNFACE)));
      ForwardNotificationsToRoot(hwnd);
      break;
    case ControlKind::PageScroller: {
      hwnd = create(0, WC_PAGESCROLLERW, PGS_HORZ | PGS_AUTOSCROLL | PGS_DRAGNDROP);
      ::SendMessageW(hwnd, PGM_SETBUTTONSIZE, 0, scale_(12));
      ::SendMessageW(hwnd, PGM_SETBKCOLOR, 0, static_cast<LPARAM>(::GetSysColor(COLOR_BTNFACE)));
      // The pager fills the rebar's only band, right of its gripper. The
      // rebar leaves a right margin of its own that differs between comctl32
      // versions, so the pager is put back at its designed place afterwards.
      REBARBANDINFOW band{};
      band.cbSize = sizeof(band);
      band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_STYLE | RBBIM_COLORS;
      band.clrFore = ::GetSysColor(COLOR_BTNTEXT);
      band.clrBack = ::GetSysColor(COLOR_BTNFACE);
      band.fStyle = RBBS_GRIPPERALWAYS;
      band.hwndChild = hwnd;
      band.cxMinChild = 0;
      band.cyMinChild = scale_(33);
      band.cx = scale_(367);
      ::SendMessageW(parent, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
      ::MoveWindow(hwnd, b.left, b.top, b.width, b.height, FALSE);
      break;
    }
    case ControlKind::ToolBar:
      hwnd = create(0, TOOLBARCLASSNAMEW,
                    TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER);
      ::SendMessageW(hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
      ::SendMessageW(parent, PGM_SETCHILD, 0, reinterpret_cast<LPARAM>(hwnd));
      break;
  }
  if (!hwnd) throw AppError(L"Cannot create control " + WidenUtf8(design.name));
  ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return hwnd;
}

void TForm1::ShowErrorBox(const std::wstring& message) {
  HWND owner = ::GetActiveWindow();
  ui_.ShowMessageBox(owner ? owner : hwnd_, ErrorBoxText(message), applicationTitle_, MB_OK | MB_ICONSTOP);
}

void TForm1::RunStartupStep(StartupStep step, const std::function<void()>& body) {
  if (options_.beforeStartupStep) options_.beforeStartupStep(step);
  body();
  completedSteps_.push_back(step);
}

SceneSurface& TForm1::SceneCanvas() {
  if (!placard_.surface()) {
    RECT rc;
    ::GetClientRect(Control(ControlId::Image1), &rc);
    imageView_->SetSource(placard_.Surface(rc.right, rc.bottom, dpi_).dc());
  }
  return *placard_.surface();
}

void TForm1::RenderScene() {
  SceneCanvas();
  layout_ = placard_.Render(ColorDialog1.color);
  ::InvalidateRect(Control(ControlId::Image1), nullptr, FALSE);
}

// One plain push button per face, each inserted in front of the ones made
// before it, so that the bar shows the faces left to right in list order.
void TForm1::CreateFigureButtons() {
  HWND toolBar = Control(ControlId::ToolBar1);
  systemFaces_ = MakeSystemImageList(ImageList1);
  ::SendMessageW(toolBar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(systemFaces_.get()));
  ::SendMessageW(toolBar, TB_SETBITMAPSIZE, 0, MAKELPARAM(ImageList1.Width(), ImageList1.Height()));
  ::SendMessageW(toolBar, TB_SETBUTTONSIZE, 0, MAKELPARAM(scale_(33), scale_(32)));
  for (int i = ImageList1.Count() - 1; i >= 0; --i) {
    TBBUTTON button{};
    button.iBitmap = i;
    button.idCommand = kFigureCommandBase + i;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
    ::SendMessageW(toolBar, TB_INSERTBUTTONW, 0, reinterpret_cast<LPARAM>(&button));
  }
  SIZE size{};
  ::SendMessageW(toolBar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
  HWND pager = ::GetParent(toolBar);
  RECT pagerArea;
  ::GetClientRect(pager, &pagerArea);
  ::SetWindowPos(toolBar, nullptr, 0, 0, size.cx, pagerArea.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(pager, PGM_RECALCSIZE, 0, 0);
  // Some pagers (Wine's) decide which arrows to show only when the position
  // changes; a step there and back shows the right arrow from the start.
  ::SendMessageW(pager, PGM_SETPOS, 0, 1);
  ::SendMessageW(pager, PGM_SETPOS, 0, 0);
  MakeFaceStrip(pager, toolBar, [this] { return placard_.scene.FFigureIndex; });
}

void TForm1::SetLabelText(ControlId id, const std::wstring& text) {
  HWND label = Control(id);
  // Clear the old text's area in the parent, which the smaller label may no longer cover.
  RECT old = RectInParent(label);
  ::SetWindowTextW(label, text.c_str());
  SizeLabel(label, reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)), text);
  ::InvalidateRect(::GetParent(label), &old, TRUE);
}

void TForm1::ToolButtonClick(int commandId) {
  HWND toolBar = Control(ControlId::ToolBar1);
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_IMAGE;
  if (::SendMessageW(toolBar, TB_GETBUTTONINFOW, commandId, reinterpret_cast<LPARAM>(&info)) < 0) return;
  placard_.scene.FFigureIndex = info.iImage;
  RenderScene();
}

LRESULT TForm1::OnNotify(NMHDR* header) {
  if (header->hwndFrom == Control(ControlId::PageScroller1) && header->code == PGN_CALCSIZE) {
    // The pager scrolls the tool bar, which is as wide as its buttons.
    auto* calc = reinterpret_cast<NMPGCALCSIZE*>(header);
    SIZE size{};
    ::SendMessageW(Control(ControlId::ToolBar1), TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    if (calc->dwFlag == PGF_CALCWIDTH) calc->iWidth = size.cx;
    if (calc->dwFlag == PGF_CALCHEIGHT) calc->iHeight = size.cy;
  }
  return 0;
}

void TForm1::FormCreate() {
  RunStartupStep(StartupStep::FigureButtons, [this] { CreateFigureButtons(); });
  RunStartupStep(StartupStep::SceneFontBold, [this] {
    SceneSurface& scene = SceneCanvas();
    LOGFONTW bold = scene.font();
    bold.lfWeight = FW_BOLD;
    scene.SetFont(bold, scene.fontColor());
  });
  RunStartupStep(StartupStep::SignColour, [this] { ColorDialog1.color = RGB(255, 255, 255); });
  RunStartupStep(StartupStep::FontDialogPrimed, [this] {
    FontDialog1.font = SceneCanvas().font();
    FontDialog1.color = SceneCanvas().fontColor();
  });
  RunStartupStep(StartupStep::SceneFields, [this] {
    RECT rc;
    ::GetClientRect(Control(ControlId::Image1), &rc);
    placard_.scene.SetStartFields(rc.right, rc.bottom, ImageList1);
  });
  RunStartupStep(StartupStep::FirstRender, [this] { RenderScene(); });
  RunStartupStep(StartupStep::MessengerFolder, [this] { ReadMessengerFolder(); });
}

void TForm1::Panel3Click() {
  ui_.ShowMessageBox(::GetActiveWindow(), AboutText(), L"关于", MB_OK | MB_ICONINFORMATION);
}

void TForm1::edtMessageChange() {
  placard_.scene.FMessage = SignTextFromEdit(WindowText(Control(ControlId::edtMessage)));
  RenderScene();
}

// OK or Cancel, the dialog's font becomes the scene font again; a Cancel
// leaves the dialog's font as it was, so the scene is drawn as before.
void TForm1::SpeedButton1Click() {
  if (auto answer = ui_.ChooseFont(hwnd_, FontDialog1)) FontDialog1 = ApplyFontDialogAnswer(FontDialog1, *answer);
  SceneCanvas().SetFont(FontDialog1.font, FontDialog1.color);
  RenderScene();
}

void TForm1::SpeedButton2Click() {
  ui_.ChooseColour(hwnd_, ColorDialog1);
  RenderScene();
}

// The export: the placard cut out by the last drawing's layout, encoded
// once, to a file the user names or into the messenger's emoticon store.
void TForm1::Button2Click() {
  SetStatusText(L"");
  PictureExport picture(placard_.Pixels(), layout_);
  // Messenger mode is decided once; the dialog is modal, so it cannot change.
  if (messengerMode()) {
    FFaceId = EmoticonStore(account_, ImageList2).Store(picture.Jpeg(), placard_.scene.FMessage);
    SetStatusText(L"导出成功至：" + account_.TempPicturePath());
    return;
  }
  std::optional<std::wstring> chosen = ui_.SavePicture(hwnd_, SavePictureDialog1);
  if (!chosen) return;
  SavePictureDialog1 = *chosen;
  picture.WriteFile(*chosen);
  SetStatusText(L"导出成功至：" + *chosen);
}

void TForm1::CopyPictureClick() {
  HWND edit = Control(ControlId::edtMessage);
  DWORD start = 0;
  DWORD end = 0;
  ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (::GetFocus() == edit && start != end) {
    ::SendMessageW(edit, WM_COPY, 0, 0);
    return;
  }
  SetStatusText(L"");
  PictureExport picture(placard_.Pixels(), layout_);
  clipboard_.Copy(hwnd_, picture.picture());
  SetStatusText(L"已复制到剪贴板");
}

// The placard's own menu: what can be done with the picture.
void TForm1::OnContextMenu(HWND window, LPARAM screenPoint) {
  HWND image = Control(ControlId::Image1);
  if (window != image) return;
  POINT at{static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
  if (screenPoint == -1) {  // from the keyboard: the placard's middle
    RECT rc;
    ::GetWindowRect(image, &rc);
    at = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  }
  UniqueMenu menu(::CreatePopupMenu());
  if (!menu) throw AppError(L"Out of system resources");
  ::AppendMenuW(menu.get(), MF_STRING, kCopyCommand, L"复制图片(&C)\tCtrl+C");
  ::AppendMenuW(menu.get(), MF_STRING, kExportCommand, L"导出(&E)...\tCtrl+S");
  int chosen = static_cast<int>(
      ::TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, hwnd_, nullptr));
  if (chosen) OnCommand(chosen, 0);
}

// The placard dragged out of the window: the picture the export would write,
// offered to the drop target as a file, a bitmap and a PNG. A refused drop
// leaves the window as it was; a drag without its file says why.
void TForm1::Image1StartDrag() {
  PictureExport picture(placard_.Pixels(), layout_);
  const std::wstring& folder = options_.dragFolder.empty() ? DragFolder() : options_.dragFolder;
  DragPictureOut(picture, placard_.scene.FMessage, folder, [this](const std::wstring& why) { SetStatusText(why); });
}

void TForm1::SetStatusText(const std::wstring& text) {
  ::SendMessageW(Control(ControlId::StatusBar1), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TForm1::ReadMessengerFolder() {
  account_.ReadInstallDir();
  if (!account_.installed()) {
    ::EnableWindow(Control(ControlId::CheckBox1), FALSE);
    ::EnableWindow(Control(ControlId::btnSetQQNum), FALSE);
  }
}

void TForm1::btnSetQQNumClick() {
  SetLabelText(ControlId::labQQ, L"");
  std::wstring answer = ui_.InputBox(hwnd_, L"输入", L"请输入QQ号：", L"");
  if (Trim(answer).empty()) return;
  if (!account_.Choose(answer)) {
    SetCheckBox1(false);
    ui_.ShowMessageBox(::GetActiveWindow(), L"qq号不正确或该qq号的配置文件不存在！", L"提示", MB_ICONINFORMATION);
    return;
  }
  // The label first: ticking runs CheckBox1Click, which wants a number shown.
  SetLabelText(ControlId::labQQ, answer);
  SetCheckBox1(true);
}

void TForm1::CheckBox1Click() {
  if (WindowText(Control(ControlId::labQQ)).empty()) SetCheckBox1(false);
}

bool TForm1::messengerMode() const {
  return ::SendMessageW(Control(ControlId::CheckBox1), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Ticks or unticks the box as the program does it: a change of state runs
// the box's click handler, as a click would.
void TForm1::SetCheckBox1(bool ticked) {
  if (messengerMode() == ticked) return;
  ::SendMessageW(Control(ControlId::CheckBox1), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
  CheckBox1Click();
}

void TForm1::btnExitClick() { ::PostMessageW(hwnd_, WM_CLOSE, 0, 0); }

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnControlColour(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_RENDERFORMAT:
      clipboard_.RenderFormat(static_cast<UINT>(wParam));
      return 0;
    case WM_RENDERALLFORMATS:
      clipboard_.RenderAllFormats(hwnd_);
      return 0;
    case WM_DESTROYCLIPBOARD:
      clipboard_.Forget();
      return 0;
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wParam), lParam);
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_CLOSE:
      ::DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      if (options_.quitOnClose) ::PostQuitMessage(0);
      return 0;
    default:
      return DefaultProc(message, wParam, lParam);
  }
}

void TForm1::OnCommand(int id, int code) {
  if (id == kCopyCommand) {
    CopyPictureClick();
    return;
  }
  if (id == kExportCommand) {
    Button2Click();
    return;
  }
  if (id >= kFigureCommandBase && id < kFigureCommandBase + ImageList1.Count()) {
    ToolButtonClick(id);
    return;
  }
  std::optional<ControlId> control = ControlOfCommand(id);
  if (!control) return;
  switch (*control) {
    case ControlId::Panel3:
      if (code == STN_CLICKED) Panel3Click();
      break;
    case ControlId::btnExit:
      if (code == BN_CLICKED) btnExitClick();
      break;
    case ControlId::edtMessage:
      if (code == EN_CHANGE) edtMessageChange();
      break;
    case ControlId::SpeedButton1:
      if (code == BN_CLICKED) SpeedButton1Click();
      break;
    case ControlId::SpeedButton2:
      if (code == BN_CLICKED) SpeedButton2Click();
      break;
    case ControlId::btnSetQQNum:
      if (code == BN_CLICKED) btnSetQQNumClick();
      break;
    case ControlId::CheckBox1:
      if (code == BN_CLICKED) CheckBox1Click();
      break;
    case ControlId::SpeedButton3:
      if (code == BN_CLICKED) Button2Click();
      break;
    case ControlId::Image1:
      if (code == kImageDragStarted) Image1StartDrag();
      break;
    default:
      break;
  }
}

// Labels, the check box and the panels' captions show their parent's colour.
LRESULT TForm1::OnControlColour(UINT message, HDC dc, HWND control) {
  std::optional<ControlId> id = ControlOfCommand(::GetDlgCtrlID(control));
  if (!id) return DefaultProc(message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  const ControlSpec& design = DesignOf(*id);
  const ControlSpec* parent = design.parent == ControlId::None ? nullptr : &DesignOf(design.parent);
  COLORREF back = parent ? BackColourOf(*parent) : ::GetSysColor(COLOR_BTNFACE);
  ::SetTextColor(dc, design.textColor == kNoColor ? ::GetSysColor(COLOR_WINDOWTEXT) : design.textColor);
  ::SetBkColor(dc, back);
  ::SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(back == RGB(255, 255, 255) ? whiteBrush_.get() : ::GetSysColorBrush(COLOR_BTNFACE));
}

void TForm1::OnActivate(bool active) {
  if (!active) {
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(hwnd_, focus)) lastFocus_ = focus;
    return;
  }
  HWND target = lastFocus_ && ::IsWindow(lastFocus_) ? lastFocus_ : Control(ControlId::PageScroller1);
  ::SetFocus(target);
}

int RunMessageLoop(const TForm1& form) {
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    HWND window = form.handle();
    if (window && ::IsWindow(window)) {
      if (::TranslateAcceleratorW(window, form.accelerators(), &msg)) continue;
      if (::IsDialogMessageW(window, &msg)) continue;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace plakato
