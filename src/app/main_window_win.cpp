#include "app/main_window_win.h"

#include <commctrl.h>

#include "app/app_text.h"
#include "app/font_dialog_win.h"
#include "app/startup_win.h"
#include "base/dpi_win.h"
#include "base/text.h"
#include "base/text_win.h"
#include "export/animation_win.h"
#include "export/drag_file_name.h"
#include "export/picture_drag_win.h"
#include "export/picture_export_win.h"
#include "export/sticker_picture_win.h"
#include "messenger/emoticon_store_win.h"
#include "scene/sign_text.h"

namespace plakato {

namespace {

// The class name other programs know the window by.
constexpr wchar_t kWindowClass[] = L"TForm1";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
constexpr int kMainIconId = 1;
// The timer that shows the next frame of the motion playing.
constexpr UINT_PTR kFrameTimer = 1;

// The hourglass for as long as a handler draws and encodes an animated
// sticker, some tenths of a second; the pointer's own shape comes back with
// the next move.
class BusyCursor {
 public:
  BusyCursor() : previous_(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
  ~BusyCursor() { ::SetCursor(previous_); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  HCURSOR previous_;
};

void RegisterWindowClass(HINSTANCE instance, WNDPROC proc) {
  static bool registered = false;
  if (registered) return;
  RegisterControlClasses(instance);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  // The class's icons at the system's sizes; the window sets its own for its display.
  wc.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kMainIconId), IMAGE_ICON, 0, 0,
                                             LR_DEFAULTSIZE | LR_SHARED));
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  ::RegisterClassExW(&wc);
  registered = true;
}

// The window's size around a client area that fits the controls as laid out
// by `scale`, with the system's frame for a display of `dpi`.
SIZE WindowSizeFor(const LayoutScale& scale, int dpi) {
  Rect client = FormClientRect(scale);
  RECT frame = WindowRectAtDpi({0, 0, client.right, client.bottom}, kWindowStyle, kWindowExStyle, dpi);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace

std::span<const MainWindow::CommandRoute> MainWindow::CommandRoutes() {
  static const CommandRoute routes[] = {
      {CommandIdOf(ControlId::AboutLogo), STN_CLICKED, &MainWindow::ShowAbout},
      {CommandIdOf(ControlId::ExitButton), BN_CLICKED, &MainWindow::Exit},
      {CommandIdOf(ControlId::SignTextEdit), EN_CHANGE, &MainWindow::ChangeSignText},
      {CommandIdOf(ControlId::FontButton), BN_CLICKED, &MainWindow::ChooseSignFont},
      {CommandIdOf(ControlId::SignColourButton), BN_CLICKED, &MainWindow::ChooseSignColour},
      {CommandIdOf(ControlId::SetAccountButton), BN_CLICKED, &MainWindow::SetAccount},
      {CommandIdOf(ControlId::MessengerModeCheck), BN_CLICKED, &MainWindow::ToggleMessengerMode},
      {CommandIdOf(ControlId::ExportButton), BN_CLICKED, &MainWindow::ExportPicture},
      {CommandIdOf(ControlId::PlacardImage), kImageDragStarted, &MainWindow::DragPicture},
      {kCopyCommand, kAnyNotification, &MainWindow::CopyPicture},
      {kCopyLargeCommand, kAnyNotification, &MainWindow::CopyLargePicture},
      {kCopyStickerCommand, kAnyNotification, &MainWindow::CopySticker},
      {kExportCommand, kAnyNotification, &MainWindow::ExportPicture},
      {kFirstMotionCommand, kAnyNotification, &MainWindow::PlayStill},
      {kFirstMotionCommand + 1, kAnyNotification, &MainWindow::PlayPump},
      {kFirstMotionCommand + 2, kAnyNotification, &MainWindow::PlayHop},
      {kFirstMotionCommand + 3, kAnyNotification, &MainWindow::PlayShake},
      {kNextMotionCommand, kAnyNotification, &MainWindow::PlayNextMotion},
  };
  return routes;
}

MainWindow::MainWindow(MainWindowOptions options)
    : options_(std::move(options)), ui_(options_.ui ? *options_.ui : SystemUiHost()) {}

MainWindow::~MainWindow() {
  SetErrorReporter(nullptr);
  if (hwnd_ && ::IsWindow(hwnd_)) {
    options_.quitOnClose = false;
    ::DestroyWindow(hwnd_);
  }
}

void MainWindow::Create() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  RegisterWindowClass(instance, &Proc);
  applicationTitle_ = ApplicationTitle(RunningProgramPath());
  // Every window of the program shows its errors in this window's error box.
  SetErrorReporter([this](const std::wstring& message) { ShowErrorBox(message); });

  // The window is made at its final size and centred place, so that showing
  // it moves nothing.
  // It opens in the middle of the primary display, laid out for its dpi.
  const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  dpi_ = DpiAtPoint({screenWidth / 2, screenHeight / 2});
  windowFont_ = MakeWindowFont(WindowFontDesign(), dpi_);
  const LayoutScale& scale = windowFont_.scale;
  SIZE size = WindowSizeFor(scale, dpi_);
  int x = (screenWidth - size.cx) / 2;
  int y = (screenHeight - size.cy) / 2;
  if (!::CreateWindowExW(kWindowExStyle, kWindowClass, kFormCaption, kWindowStyle, x, y, size.cx, size.cy, nullptr,
                         nullptr, instance, this)) {
    throw AppError(L"无法创建主窗口");
  }
  ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.font.get()), FALSE);
  FitClientArea();
  SetIcons();

  // A dialog-framed window offers neither minimise, maximise nor sizing.
  HMENU system = ::GetSystemMenu(hwnd_, FALSE);
  for (UINT command : {SC_MINIMIZE, SC_MAXIMIZE, SC_SIZE, SC_RESTORE}) ::DeleteMenu(system, command, MF_BYCOMMAND);

  controls_ = CreateFormControls(hwnd_, windowFont_.font.get(), scale);
  ACCEL keys[] = {{FCONTROL | FVIRTKEY, 'C', kCopyCommand},
                  {FCONTROL | FSHIFT | FVIRTKEY, 'C', kCopyLargeCommand},
                  {FCONTROL | FVIRTKEY, 'M', kNextMotionCommand},
                  {FCONTROL | FVIRTKEY, 'S', kExportCommand}};
  shortcuts_.reset(::CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys))));
  RunHandler([this] { RunStartup(); });
}

void MainWindow::Show() {
  ::ShowWindow(hwnd_, SW_SHOWNORMAL);
  ::UpdateWindow(hwnd_);
}

MainWindowState MainWindow::State() const {
  return {placard_,          layout_,          view_.surface(), account_,
          emoticonId_,       savedPictureName_, completedSteps_, windowFont_.scale.measured,
          dpi_,              motion_,           frameTimer_,     frame_};
}

// The title bar's and the task bar's icons, each drawn for its size on this display.
void MainWindow::SetIcons() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  auto load = [&](int widthMetric, int heightMetric) {
    return UniqueIcon(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kMainIconId), IMAGE_ICON,
                                                      SystemMetricAtDpi(widthMetric, dpi_),
                                                      SystemMetricAtDpi(heightMetric, dpi_), 0)));
  };
  UniqueIcon big = load(SM_CXICON, SM_CYICON);
  UniqueIcon small = load(SM_CXSMICON, SM_CYSMICON);
  ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  // The old icons go only now that the window shows the new ones.
  bigIcon_ = std::move(big);
  smallIcon_ = std::move(small);
}

// The frame may differ from the one the system's metrics give for the dpi
// (Wine keeps the system dpi's): the client area is measured, and the window
// sized again by what it lacks or has too much.
void MainWindow::FitClientArea() {
  Rect wanted = FormClientRect(windowFont_.scale);
  RECT client;
  RECT window;
  ::GetClientRect(hwnd_, &client);
  ::GetWindowRect(hwnd_, &window);
  if (client.right == wanted.right && client.bottom == wanted.bottom) return;
  ::SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left + wanted.right - client.right,
                 window.bottom - window.top + wanted.bottom - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The controls are laid out by the window font as measured on the display,
// which need not grow exactly with the dpi (any face but the designed one):
// the window is sized from that layout, never scaled from its last size, so
// nothing is cut off and a round of moves brings back the same size. The
// system's suggestion gives only the place.
void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  if (dpi <= 0) return;
  dpi_ = dpi;
  WindowFont font = MakeWindowFont(WindowFontDesign(), dpi_);
  SIZE size = WindowSizeFor(font.scale, dpi_);
  ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font.font.get()), FALSE);
  controls_.Rescale(font.font.get(), font.scale);
  windowFont_ = std::move(font);  // the old font goes once no control uses it
  faceStrip_.Rescale(windowFont_.scale, dpi_);
  SetIcons();
  ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  FitClientArea();
  Redraw();
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void MainWindow::ShowErrorBox(const std::wstring& message) {
  HWND owner = ::GetActiveWindow();
  ui_.ShowMessageBox(owner ? owner : hwnd_, ErrorBoxText(message), applicationTitle_, MB_OK | MB_ICONSTOP);
}

void MainWindow::RunStartupStep(StartupStep step, const std::function<void()>& body) {
  if (options_.beforeStartupStep) options_.beforeStartupStep(step);
  body();
  completedSteps_.push_back(step);
}

void MainWindow::RunStartup() {
  RunStartupStep(StartupStep::FaceButtons, [this] {
    faceStrip_.Create(Control(ControlId::FaceRebar), Control(ControlId::FacePager), Control(ControlId::FaceToolBar),
                      windowFont_.scale, dpi_, [this] { return placard_.face(); },
                      [this](int face) { PickFace(face); });
  });
  // The scene font is the system's, made bold; asking for it makes the surface.
  RunStartupStep(StartupStep::SceneFont, [this] {
    Surface();
    SignFont font = DefaultSceneFont();
    font.weight = FW_BOLD;
    placard_ = placard_.WithFont(font);
  });
  RunStartupStep(StartupStep::SignColour, [this] { placard_ = placard_.WithSignColour(RGB(255, 255, 255)); });
  RunStartupStep(StartupStep::SignTextAndFace,
                 [this] { placard_ = placard_.WithText(kDefaultSignText).WithFace(0); });
  RunStartupStep(StartupStep::FirstDrawing, [this] { Redraw(); });
  RunStartupStep(StartupStep::MessengerFolder, [this] { ReadMessengerFolder(); });
}

// The on-screen scene, made again when the image's size or the dpi changed.
SceneSurface& MainWindow::Surface() {
  RECT rc;
  ::GetClientRect(Control(ControlId::PlacardImage), &rc);
  SceneSurface& surface = view_.Surface(rc.right, rc.bottom, dpi_);
  controls_.imageView()->SetSource(surface.dc());
  return surface;
}

// The scene in the motion's present frame, at the display's scale.
void MainWindow::Redraw() {
  Surface();
  frames_ = MotionFrames(motion_, DpiScale{dpi_});
  if (frame_ >= frames_.size()) frame_ = 0;
  DrawFrame();
}

void MainWindow::DrawFrame() {
  layout_ = view_.Draw(placard_, frames_[frame_].pose, ReachOf(frames_));
  ::InvalidateRect(Control(ControlId::PlacardImage), nullptr, FALSE);
}

void MainWindow::Play(Motion motion) {
  motion_ = motion;
  frame_ = 0;
  Redraw();
  UpdateFrameTimer();
  SetStatusText(L"动画：" + std::wstring(MotionName(motion)));
}

void MainWindow::PlayNextMotion() { Play(NextMotion(motion_)); }

// A timer already running at the motion's pace is left alone, so that
// moving the window (each move comes here) does not hold the frames back.
void MainWindow::UpdateFrameTimer() {
  const bool wanted = frames_.size() > 1 && ::IsWindowVisible(hwnd_) && !::IsIconic(hwnd_);
  const int delay = wanted ? frames_[frame_].delayMs : 0;
  if (frameTimer_ && frameDelay_ == delay) return;
  if (frameTimer_) ::KillTimer(hwnd_, kFrameTimer);
  frameTimer_ = wanted && ::SetTimer(hwnd_, kFrameTimer, static_cast<UINT>(delay), nullptr) != 0;
  frameDelay_ = frameTimer_ ? delay : 0;
}

// A frame that cannot be drawn stops the motion before the error is shown,
// so that the next ticks do not stack up error boxes.
void MainWindow::ShowNextFrame() {
  if (frames_.size() < 2) return;
  frame_ = (frame_ + 1) % frames_.size();
  try {
    DrawFrame();
  } catch (...) {
    motion_ = Motion::Still;
    frames_ = MotionFrames(motion_, DpiScale{dpi_});
    frame_ = 0;
    UpdateFrameTimer();
    throw;
  }
}

MainWindow::AnimationFile MainWindow::WriteAnimationFile() {
  AnimationExport animation(view_, placard_, motion_);
  DragFile file = WriteDragFile(DragFiles(), DragFileName(placard_.text(), L".gif"), animation.Gif());
  return {file.path.value_or(L""), file.whyNone};
}

void MainWindow::PickFace(int face) {
  placard_ = placard_.WithFace(face);
  Redraw();
}

void MainWindow::ChangeSignText() {
  placard_ = placard_.WithText(SignTextFromEdit(WindowText(Control(ControlId::SignTextEdit))));
  Redraw();
}

// The dialog opens on the sign's font at its size on this display; a Cancel
// leaves the font as it was, and the scene is drawn again either way. The
// placard keeps the size chosen, in points, so that the dialog gives it back
// and the picture sent is the same whichever display it was chosen on.
void MainWindow::ChooseSignFont() {
  FontChoice current{LogFontOf(placard_.font(), placard_.font().HeightAtDpi(dpi_)), placard_.font().colour};
  if (auto answer = ui_.ChooseFont(hwnd_, current)) {
    FontChoice chosen = ApplyFontDialogAnswer(current, *answer);
    SignFont font = SignFontOf(chosen.font, chosen.color, dpi_);
    if (answer->pointTenths > 0) font.pointTenths = answer->pointTenths;
    placard_ = placard_.WithFont(font);
  }
  Redraw();
}

// The dialog keeps its sixteen custom colours for the rest of the run.
void MainWindow::ChooseSignColour() {
  ColourChoice choice{placard_.signColour(), customColours_};
  ui_.ChooseColour(hwnd_, choice);
  placard_ = placard_.WithSignColour(choice.color);
  customColours_ = choice.custom;
  Redraw();
}

// The export: the placard cut out by the last drawing's layout, encoded
// once, to a file the user names or into the messenger's emoticon store.
void MainWindow::ExportPicture() {
  SetStatusText(L"");
  // Messenger mode is decided once; the dialog is modal, so it cannot change.
  if (messengerMode()) {
    PictureExport picture(view_.Render(placard_, PictureSize::Standard));
    emoticonId_ = EmoticonStore(account_, PieceImages()).Store(picture.Jpeg(), placard_.text());
    SetStatusText(L"导出成功至：" + account_.TempPicturePath());
    return;
  }
  std::optional<SavePictureAnswer> chosen = ui_.SavePicture(hwnd_, savedPictureName_);
  if (!chosen) return;
  const PictureFileTarget target = chosen->Target();
  savedPictureName_ = target.path;
  // The placard cannot change while the modal dialog is open: it is drawn once, as the type chosen.
  const PictureKind kind = chosen->KindOfFile();
  if (kind == PictureKind::Animation) {
    AnimationExport(view_, placard_, AnimatedMotion(motion_)).WriteFile(target.path);
  } else if (kind == PictureKind::Sticker) {
    // Only a WebP sticker moves; a PNG or JPEG one is the still sticker.
    const Motion motion = target.format == PictureFileFormat::Webp ? motion_ : Motion::Still;
    BusyCursor busy;
    StickerExport(view_, placard_, motion).WriteFile(target.path, target.format);
  } else {
    PictureExport picture(view_.Render(placard_, kind == PictureKind::Large ? PictureSize::Large : PictureSize::Standard));
    picture.WriteFile(target.path, target.format);
  }
  SetStatusText(L"导出成功至：" + target.path);
}

void MainWindow::CopyPicture() {
  HWND edit = Control(ControlId::SignTextEdit);
  DWORD start = 0;
  DWORD end = 0;
  ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (::GetFocus() == edit && start != end) {
    ::SendMessageW(edit, WM_COPY, 0, 0);
    return;
  }
  CopyPictureOfSize(PictureSize::Standard);
}

void MainWindow::CopyLargePicture() { CopyPictureOfSize(PictureSize::Large); }

// With a motion playing, the copy also names the animation's GIF, for the
// chats that take files.
void MainWindow::CopyPictureOfSize(PictureSize size) {
  SetStatusText(L"");
  PictureExport picture(view_.Render(placard_, size));
  AnimationFile animation;
  if (motion_ != Motion::Still) animation = WriteAnimationFile();
  clipboard_.Copy(hwnd_, ClipboardContent{picture.picture(), false, animation.path});
  if (!animation.whyNone.empty()) {
    SetStatusText(animation.whyNone);
  } else {
    SetStatusText(size == PictureSize::Large ? L"已复制大图到剪贴板" : L"已复制到剪贴板");
  }
}

// The placard dragged out of the window: the picture the export would write,
// offered to the drop target as a file, a bitmap and a PNG. A refused drop
// leaves the window as it was; a drag without its file says why.
// With a motion playing, the file is the animation's GIF, beside the still picture.
void MainWindow::DragPicture() {
  PictureExport picture(view_.Render(placard_, PictureSize::Standard));
  std::optional<AnimationExport> animation;
  if (motion_ != Motion::Still) animation.emplace(view_, placard_, motion_);
  const DragOffer offer = animation ? DragOffer{picture.picture(), DragFileName(placard_.text(), L".gif"), animation->Gif()}
                                    : DragOffer{picture.picture(), DragFileName(placard_.text()), picture.Jpeg()};
  bool withoutFile = false;
  DragPictureOut(offer, DragFiles(), [&](const std::wstring& why) {
    SetStatusText(why);
    withoutFile = true;
  });
  // A drag that got its file takes away an earlier drag's word that it had none.
  if (!withoutFile && statusIsDragWarning_) SetStatusText(L"");
  statusIsDragWarning_ = withoutFile;
}

void MainWindow::CopySticker() {
  SetStatusText(L"");
  BusyCursor busy;
  StickerExport sticker(view_, placard_, motion_);
  std::wstring whyNoFile;
  clipboard_.Copy(hwnd_, sticker.ForClipboard(DragFiles(), placard_.text(), whyNoFile));
  SetStatusText(whyNoFile.empty() ? L"已复制贴纸到剪贴板" : whyNoFile);
}

std::wstring MainWindow::DragFiles() const { return options_.dragFolder.empty() ? DragFolder() : options_.dragFolder; }

// The placard's own menu: what can be done with the picture.
void MainWindow::ShowPlacardMenu(HWND window, LPARAM screenPoint) {
  if (window != Control(ControlId::PlacardImage)) return;
  const PlacardMenuCommands commands{kCopyCommand,        kCopyLargeCommand,  kCopyStickerCommand, kExportCommand,
                                     kFirstMotionCommand, kNextMotionCommand, motion_};
  if (int chosen = TrackPlacardMenu(hwnd_, window, screenPoint, commands)) {
    OnCommand(chosen, 0);
  }
}

void MainWindow::ShowAbout() {
  ui_.ShowMessageBox(::GetActiveWindow(), AboutText(), L"关于", MB_OK | MB_ICONINFORMATION);
}

void MainWindow::SetStatusText(const std::wstring& text) {
  statusIsDragWarning_ = false;
  ::SendMessageW(Control(ControlId::StatusBar), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void MainWindow::ReadMessengerFolder() {
  account_.ReadInstallDir();
  if (!account_.installed()) {
    ::EnableWindow(Control(ControlId::MessengerModeCheck), FALSE);
    ::EnableWindow(Control(ControlId::SetAccountButton), FALSE);
  }
}

void MainWindow::SetAccount() {
  SetLabelText(Control(ControlId::AccountNumber), L"");
  std::wstring answer = ui_.InputBox(hwnd_, L"输入", L"请输入QQ号：", L"");
  if (Trim(answer).empty()) return;
  if (!account_.Choose(answer)) {
    SetMessengerMode(false);
    ui_.ShowMessageBox(::GetActiveWindow(), L"qq号不正确或该qq号的配置文件不存在！", L"提示", MB_ICONINFORMATION);
    return;
  }
  // The label first: ticking runs ToggleMessengerMode, which wants a number shown.
  SetLabelText(Control(ControlId::AccountNumber), answer);
  SetMessengerMode(true);
}

// The box ticks itself on a click; without an account number shown it
// cannot stay ticked.
void MainWindow::ToggleMessengerMode() {
  if (WindowText(Control(ControlId::AccountNumber)).empty()) SetMessengerMode(false);
}

bool MainWindow::messengerMode() const {
  return ::SendMessageW(Control(ControlId::MessengerModeCheck), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindow::SetMessengerMode(bool ticked) {
  if (messengerMode() == ticked) return;
  ::SendMessageW(Control(ControlId::MessengerModeCheck), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
  ToggleMessengerMode();
}

void MainWindow::Exit() { ::PostMessageW(hwnd_, WM_CLOSE, 0, 0); }

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      faceStrip_.OnNotify(reinterpret_cast<NMHDR*>(lParam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (HBRUSH brush = controls_.Colour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
        return reinterpret_cast<LRESULT>(brush);
      }
      return DefaultProc(message, wParam, lParam);
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
      ShowPlacardMenu(reinterpret_cast<HWND>(wParam), lParam);
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_GETDPISCALEDSIZE: {
      // The size the window will take at that dpi, for the system to place it by.
      WindowFont font = MakeWindowFont(WindowFontDesign(), static_cast<int>(wParam));
      *reinterpret_cast<SIZE*>(lParam) = WindowSizeFor(font.scale, static_cast<int>(wParam));
      return TRUE;
    }
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_TIMER:
      if (wParam == kFrameTimer) ShowNextFrame();
      return 0;
    case WM_WINDOWPOSCHANGED: {
      // Shown, hidden, minimised or restored: the motion plays only where it can be seen.
      LRESULT result = DefaultProc(message, wParam, lParam);
      UpdateFrameTimer();
      return result;
    }
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

void MainWindow::OnCommand(int command, int notification) {
  for (const CommandRoute& route : CommandRoutes()) {
    if (route.command != command) continue;
    if (route.notification != kAnyNotification && route.notification != notification) continue;
    (this->*route.handler)();
    return;
  }
}

void MainWindow::OnActivate(bool active) {
  if (!active) {
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(hwnd_, focus)) lastFocus_ = focus;
    return;
  }
  HWND target = lastFocus_ && ::IsWindow(lastFocus_) ? lastFocus_ : Control(ControlId::FacePager);
  ::SetFocus(target);
}

}  // namespace plakato
