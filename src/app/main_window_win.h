// The program's one window. It makes its controls from the control table,
// runs the start-up steps, holds the placard the user is making, and wires
// each control's event to the part of the program that does the work: the
// placard view, the export, the messenger account and its emoticon store.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/controls_win.h"
#include "app/face_strip_win.h"
#include "app/form_layout.h"
#include "app/ui_host_win.h"
#include "base/handles_win.h"
#include "base/window_win.h"
#include "export/clipboard_win.h"
#include "messenger/account_win.h"
#include "scene/motion.h"
#include "scene/placard.h"
#include "scene/placard_view_win.h"

namespace plakato {

// The steps of the start-up, in the order they run.
enum class StartupStep {
  FaceButtons,
  SceneFont,
  SignColour,
  SignTextAndFace,
  FirstDrawing,
  MessengerFolder,
};

struct MainWindowOptions {
  UiHost* ui = nullptr;                  // nullptr: the system's boxes
  const FontSpec* windowFont = nullptr;  // nullptr: the designed window font
  bool quitOnClose = true;               // post WM_QUIT when the window goes
  // Called before each start-up step; a test may record the order or throw.
  std::function<void(StartupStep)> beforeStartupStep;
  // Where a drag out of the window puts its picture file; empty: DragFolder().
  std::wstring dragFolder;
};

// What the window holds at one moment, read all at once (for tests).
struct MainWindowState {
  Placard placard;
  SceneLayout layout;                    // of the last drawing
  const SceneSurface* surface = nullptr;  // null until made
  MessengerAccount account;
  std::string emoticonId;                // of the last export into the messenger's store
  std::wstring savedPictureName;         // the save dialog's last confirmed name
  std::vector<StartupStep> startupSteps;  // those that completed
  int measuredTextHeight = 0;            // of the window font
  int dpi = 0;                           // of the display the window is laid out for
  Motion motion = Motion::Still;         // the one the scene plays
  bool playing = false;                  // its timer runs
  size_t frame = 0;                      // of the motion, on screen
};

class MainWindow : public Window<MainWindow> {
 public:
  explicit MainWindow(MainWindowOptions options = {});
  ~MainWindow();

  // Builds the hidden window, centred on the screen, with all controls, and
  // runs the start-up steps.
  void Create();
  void Show();

  HWND handle() const { return hwnd(); }
  HWND Control(ControlId id) const { return controls_[id]; }
  // Ctrl+C, Ctrl+Shift+C, Ctrl+M and Ctrl+S, for the message loop.
  HACCEL shortcuts() const { return shortcuts_.get(); }
  MainWindowState State() const;

  // Runs an event handler the way the message loop does: an error that
  // escapes it is shown in the error box, and the program goes on.
  template <typename Handler>
  void RunHandler(Handler&& handler) {
    RunReported(handler);
  }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // The commands of the keyboard shortcuts and the placard's menu.
  static constexpr int kCopyCommand = 4001;
  static constexpr int kExportCommand = 4002;
  static constexpr int kCopyLargeCommand = 4003;
  static constexpr int kCopyStickerCommand = 4004;
  // One command for each motion, in kMotions's order, and the next motion's.
  static constexpr int kFirstMotionCommand = 4010;
  static constexpr int kNextMotionCommand = 4009;
  // A route's notification that matches any: a menu's 0 and a shortcut's 1.
  static constexpr int kAnyNotification = -1;
  // One line of the WM_COMMAND dispatch: which control's (or menu
  // command's) notification runs which handler.
  struct CommandRoute {
    int command;
    int notification;
    void (MainWindow::*handler)();
  };
  static std::span<const CommandRoute> CommandRoutes();

 private:
  // The handlers.
  void RunStartup();
  void PickFace(int face);
  void ChangeSignText();
  void ChooseSignFont();
  void ChooseSignColour();
  void ExportPicture();
  // Ctrl+C and the placard's menu: the picture the export would encode, on
  // the clipboard; in the message edit with a selection, its text.
  void CopyPicture();
  // Ctrl+Shift+C and the placard's menu: the large picture on the clipboard.
  void CopyLargePicture();
  void CopyPictureOfSize(PictureSize size);
  // The placard's menu: the sticker on the clipboard, with its WebP file for
  // the chats that take files.
  void CopySticker();
  // The placard's menu and Ctrl+M: the scene plays a motion, which the
  // animation files and copies show. Nothing of it is kept after the program
  // closes.
  void PlayStill() { Play(Motion::Still); }
  void PlayPump() { Play(Motion::Pump); }
  void PlayHop() { Play(Motion::Hop); }
  void PlayShake() { Play(Motion::Shake); }
  void PlayNextMotion();
  void Play(Motion motion);
  // The frame timer runs while a motion plays on a window that can be
  // seen: never for a still placard, nor while minimised or hidden.
  void UpdateFrameTimer();
  void ShowNextFrame();
  // The scene in the motion's present frame.
  void DrawFrame();
  // The animation's file for a drag or a copy while a motion plays.
  struct AnimationFile {
    std::wstring path;  // empty when none could be written
    std::wstring whyNone;
  };
  AnimationFile WriteAnimationFile();
  // Where drags and copies leave their files.
  std::wstring DragFiles() const;
  void DragPicture();
  void ShowPlacardMenu(HWND window, LPARAM screenPoint);
  void ShowAbout();
  void SetAccount();
  void ToggleMessengerMode();
  void Exit();

  void OnCommand(int command, int notification);
  void OnActivate(bool active);
  // The window moved to a display of another dpi: it lays itself out again
  // for it and takes the place the system suggests.
  void OnDpiChanged(int dpi, const RECT& suggested);
  const FontSpec& WindowFontDesign() const { return options_.windowFont ? *options_.windowFont : kWindowFont; }
  void FitClientArea();
  void SetIcons();
  void ShowErrorBox(const std::wstring& message);
  void RunStartupStep(StartupStep step, const std::function<void()>& body);
  SceneSurface& Surface();
  void Redraw();
  void ReadMessengerFolder();
  bool messengerMode() const;
  // Ticks or unticks the box as a click would, running its handler on a change.
  void SetMessengerMode(bool ticked);
  void SetStatusText(const std::wstring& text);

  MainWindowOptions options_;
  UiHost& ui_;
  std::wstring applicationTitle_;
  int dpi_ = kDesignDpi;
  WindowFont windowFont_;
  FormControls controls_;
  FaceStrip faceStrip_;
  UniqueAccelerators shortcuts_;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  HWND lastFocus_ = nullptr;
  std::vector<StartupStep> completedSteps_;

  Placard placard_;
  PlacardView view_;
  SceneLayout layout_;  // what the last drawing left for the export
  std::array<COLORREF, 16> customColours_ = ColourChoice::MakeUnsetCustomColours();
  std::wstring savedPictureName_;
  MessengerAccount account_;
  std::string emoticonId_;
  ClipboardPicture clipboard_;
  bool statusIsDragWarning_ = false;  // the status bar says a drag had no file
  Motion motion_ = Motion::Still;
  std::vector<MotionFrame> frames_ = MotionFrames(Motion::Still, DpiScale{});  // at the display's scale
  size_t frame_ = 0;
  bool frameTimer_ = false;
  int frameDelay_ = 0;  // of the running frame timer
};

}  // namespace plakato
