// Form1: the program's one window. It builds its controls from the control
// table, runs the start-up steps, and wires each control's event to the
// subsystem that does the work: the placard view, the export, the messenger
// account and its emoticon store.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/colour_dialog_win.h"
#include "app/controls_win.h"
#include "app/font_dialog_win.h"
#include "app/form_layout.h"
#include "app/ui_host_win.h"
#include "base/handles_win.h"
#include "base/window_win.h"
#include "export/clipboard_win.h"
#include "messenger/account_win.h"
#include "scene/image_list_win.h"
#include "scene/placard_view_win.h"

namespace plakato {

// The steps of FormCreate, in the order they run.
enum class StartupStep {
  FigureButtons,
  SceneFontBold,
  SignColour,
  FontDialogPrimed,
  SceneFields,
  FirstRender,
  MessengerFolder,
};

struct FormOptions {
  UiHost* ui = nullptr;                     // nullptr: the system's boxes
  const FontSpec* windowFont = nullptr;     // nullptr: the designed window font
  bool quitOnClose = true;                  // post WM_QUIT when the window goes
  // Called before each start-up step; a test may record the order or throw.
  std::function<void(StartupStep)> beforeStartupStep;
  // Where a drag out of the window puts its picture file; empty: DragFolder().
  std::wstring dragFolder;
};

class TForm1 : public Window<TForm1> {
 public:
  explicit TForm1(FormOptions options = {});
  ~TForm1();

  // Builds the hidden window, centred on the screen, with all controls, and
  // runs FormCreate.
  void Create();
  void Show();

  HWND handle() const { return hwnd(); }
  HWND Control(ControlId id) const { return controls_[static_cast<size_t>(id)]; }
  const std::wstring& applicationTitle() const { return applicationTitle_; }
  int measuredTextHeight() const { return scale_.measured; }
  const std::vector<StartupStep>& completedStartupSteps() const { return completedSteps_; }
  const SceneSurface* scene() const { return placard_.surface(); }
  const PlacardScene& placard() const { return placard_.scene; }
  const FontChoice& fontDialogFont() const { return FontDialog1; }
  COLORREF signColour() const { return ColorDialog1.color; }

  // Runs an event handler the way the message loop does: an error that
  // escapes it is shown in the error box, and the program goes on.
  template <typename Handler>
  void RunHandler(Handler&& handler) {
    RunReported(handler);
  }

  // Event handlers.
  void FormCreate();
  void ToolButtonClick(int commandId);
  void Panel3Click();
  void edtMessageChange();
  void SpeedButton1Click();
  void SpeedButton2Click();
  void btnSetQQNumClick();
  void CheckBox1Click();
  void Button2Click();
  void Image1StartDrag();
  void btnExitClick();
  // Ctrl+C and the placard's menu: the picture the export would encode, on
  // the clipboard; in the message edit with a selection, its text.
  void CopyPictureClick();

  // The messenger account, for tests.
  const std::wstring& qqInstallDir() const { return account_.FQQInstallDir; }
  const std::wstring& panelDir() const { return account_.FPanelDir; }
  const std::wstring& faceIndexPath() const { return account_.FFaceIndexPath; }
  const std::string& faceId() const { return FFaceId; }
  const std::wstring& savedPictureName() const { return SavePictureDialog1; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Ctrl+C and Ctrl+S, for the message loop.
  HACCEL accelerators() const { return accelerators_.get(); }
  // The commands of the keyboard shortcuts and the placard's menu.
  static constexpr int kCopyCommand = 4001;
  static constexpr int kExportCommand = 4002;

 private:
  void OnContextMenu(HWND window, LPARAM screenPoint);
  void OnCommand(int id, int code);
  LRESULT OnNotify(NMHDR* header);
  LRESULT OnControlColour(UINT message, HDC dc, HWND control);
  void OnActivate(bool active);

  void MeasureWindowFont();
  void CreateControls();
  HWND CreateControl(const ControlSpec& design);
  HFONT FontFor(const ControlSpec& design);
  void ShowErrorBox(const std::wstring& message);
  void RunStartupStep(StartupStep step, const std::function<void()>& body);
  SceneSurface& SceneCanvas();
  void RenderScene();
  void CreateFigureButtons();
  // Sets a label's text and sizes it to the text, as at creation.
  void SetLabelText(ControlId label, const std::wstring& text);
  void ReadMessengerFolder();
  bool messengerMode() const;
  void SetCheckBox1(bool ticked);
  void SetStatusText(const std::wstring& text);

  FormOptions options_;
  UiHost& ui_;
  std::vector<HWND> controls_;  // indexed by ControlId
  std::vector<std::unique_ptr<PanelWindow>> panels_;
  std::unique_ptr<ImageView> imageView_;
  std::wstring applicationTitle_;
  LayoutScale scale_;
  int dpi_ = kDesignDpi;
  UniqueFont windowFont_;
  std::vector<UniqueFont> ownFonts_;  // fonts of controls that have their own
  UniqueBrush whiteBrush_;
  UniqueAccelerators accelerators_;
  HWND lastFocus_ = nullptr;
  std::vector<StartupStep> completedSteps_;

  // Components without a place on screen.
  ImageList ImageList1{FaceArtwork()};
  ImageList ImageList2{PieceArtwork()};
  UniqueImageList systemFaces_;  // for the tool bar
  FontChoice FontDialog1;
  ColourChoice ColorDialog1;
  std::wstring SavePictureDialog1;  // the name of its last confirmed use

  // The subsystems the handlers wire to.
  PlacardView placard_{ImageList1, ImageList2};
  SceneLayout layout_;  // what the last drawing left for the export
  MessengerAccount account_;
  ClipboardPicture clipboard_;
  std::string FFaceId;
};

// Runs the window's message loop until it is closed; keyboard navigation
// (Tab between the controls) works as in a dialog, and the form's shortcuts
// work wherever the focus is.
int RunMessageLoop(const TForm1& form);

}  // namespace plakato
